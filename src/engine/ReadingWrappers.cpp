#include "engine/ReadingWrappers.h"

#include "engine/DataModule.h"

namespace engine {

int dm_read_miniServicePackBuild(int& vbb) {
    TDM1 module;
    return module.read_miniServicePackBuild(vbb);
}

bool dm_read_VersionServicePackBuild(const std::string& nameBase, int& Ver, int& SP, int& BB) {
    TDM1 module;
    return module.read_VersionServicePackBuild(nameBase, Ver, SP, BB);
}

} // namespace engine
