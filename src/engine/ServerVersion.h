#pragma once

#include <string>

namespace engine {

// The server's version times ten from its version text ("... Firebird 3.0" gives 30):
// the text after the last blank as a decimal number, rounded half to even; -1 when it is no number.
int parseFirebirdVersion(const std::string& versionText);

// The warning shown for a server older than 2.5.
std::string outdatedFirebirdMessage(int firebirdVersion);

} // namespace engine
