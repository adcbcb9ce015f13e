#pragma once

#include <array>
#include <string>

namespace platform {

// The four parts of the program's file version, fixed at build time.
std::array<int, 4> programVersion();
// The version of a file: the program's own for the running executable,
// zeros for any other file (Linux files carry no version resource).
std::array<int, 4> fileVersion(const std::string& path);

} // namespace platform
