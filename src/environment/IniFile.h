#pragma once

#include <string>

namespace environment {

// One value of an INI file ("[Section]" then "Key=value" lines); section and
// key compare without regard to case. Empty when the file, section or key is missing.
std::string readIniValue(const std::string& file, const std::string& section, const std::string& key);

} // namespace environment
