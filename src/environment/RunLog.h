#pragma once

#include <string>

namespace environment {

// The wizard's text outputs, reached through the window interface.
void ZapisLabel(const std::string& str);
// A run-log line as it stands.
void ZapisMemo30(const std::string& str);
// A run-log line after the time of day "HH:mm:ss" and ": ".
void ZapisMemo3(const std::string& str);

} // namespace environment
