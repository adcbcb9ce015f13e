#include "run/Minima.h"

#include "engine/DatabaseSlots.h"
#include "engine/ReadingWrappers.h"

#include <tuple>

namespace run {

int majorVersion(int Ver) {
    return Ver > 100 ? Ver / 100 : Ver;
}

void Minima::add(int Ver, int SP, int BB) {
    // The stamp of one database as a whole: parts taken one by one would make a stamp
    // that no database carries, as after a conversion stopped half-way.
    const std::tuple stamp{majorVersion(Ver), SP, BB};
    if (stamp < std::tuple{MinVersion, MinServicePack, MinBuild}) {
        std::tie(MinVersion, MinServicePack, MinBuild) = stamp;
    }
}

bool Minima::allRead() const {
    return MinVersion != INT_MAX && MinServicePack != INT_MAX && MinBuild != INT_MAX;
}

bool ReadFileVersion(const std::string& FileName, Minima& minima) {
    int Ver = 0, SP = 0, BB = 0;
    if (!engine::dm_read_VersionServicePackBuild(FileName, Ver, SP, BB)) {
        return false;
    }
    minima.add(Ver, SP, BB);
    return true;
}

Minima readVersion8Minima() {
    Minima minima;
    for (const engine::Slot slot : engine::kDetectionOrder) {
        ReadFileVersion(engine::slotPath(slot), minima);
    }
    return minima;
}

} // namespace run
