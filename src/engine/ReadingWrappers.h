#pragma once

#include <string>

namespace engine {

// The lowest ServicePack over the suite's databases (and the lowest Build in vbb),
// read through a module made for this one reading.
int dm_read_miniServicePackBuild(int& vbb);
// The stamp of one database, read through a module made for this one reading.
bool dm_read_VersionServicePackBuild(const std::string& nameBase, int& Ver, int& SP, int& BB);

} // namespace engine
