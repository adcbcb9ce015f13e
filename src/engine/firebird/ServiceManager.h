#pragma once

#include <string>
#include <vector>

namespace engine::fb {

// Attaches to the local service manager with the login lines, asks for the
// server's version text and detaches. Throws FbError when it cannot.
std::string readServerVersion(const std::vector<std::string>& loginLines);

} // namespace engine::fb
