#pragma once

#include <string>
#include <vector>

namespace engine::fb {

// Attaches to the local service manager with the login lines, asks for the
// server's version text and detaches. Throws FbError when it cannot.
std::string readServerVersion(const std::vector<std::string>& loginLines);

// Validates a database online through the service manager (the database may be in use
// meanwhile) and returns the lines of its report. `serviceManager` is "service_mgr" for the
// embedded engine, "localhost:service_mgr" for a server that holds the file. Throws FbError
// when the service cannot be reached or refuses the validation.
std::vector<std::string> validateOnline(const std::string& serviceManager, const std::string& path,
                                        const std::vector<std::string>& loginLines);

} // namespace engine::fb
