#pragma once

#include <string>

namespace environment {

// The installation's database password: eight upper-case hexadecimal digits
// derived from the installation number. It is never stored or logged.
std::string databasePassword(int numberFirm);
// The installation's database user, "kv5." followed by the number.
std::string databaseUser(int numberFirm);

} // namespace environment
