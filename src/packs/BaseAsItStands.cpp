#include "packs/BaseAsItStands.h"

#include "engine/DatabaseSlots.h"
#include "engine/EngineState.h"
#include "engine/ReadingWrappers.h"

#include <tuple>

namespace packs {

bool readFromBaseAsItStands(int build, const std::function<bool(engine::TDM1&)>& read) {
    const std::string base = engine::slotPath(engine::Slot::Base);
    int v = 0, sp = 0, bb = 0;
    if (!engine::dm_read_VersionServicePackBuild(base, v, sp, bb) ||
        std::make_tuple(v, sp, bb) < std::make_tuple(8, 0, build)) {
        return false;
    }
    const int steps = engine::KolvoStep;
    bool done = false;
    {
        engine::TDM1 reader;
        done = reader.OpenDataBase(base) && read(reader);
    }
    engine::KolvoStep = steps;
    return done;
}

} // namespace packs
