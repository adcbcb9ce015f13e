#pragma once

#include <string>

namespace platform {

// A new random (version 4) GUID as 32 upper-case hexadecimal digits.
std::string newGuidDigits();

} // namespace platform
