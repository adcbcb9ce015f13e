#pragma once

#include <string>
#include <vector>

namespace engine {

// The login lines of the installation's database user (none with installation number 0).
std::vector<std::string> installationLoginLines();

} // namespace engine
