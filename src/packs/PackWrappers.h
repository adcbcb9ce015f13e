#pragma once

#include "engine/PackFrame.h"

#include <functional>
#include <vector>

namespace packs {

// The wrappers through which the wizard runs each service pack; true when the pack was installed.
bool dm_SPold_007_12_SPnew_008();
bool dm_SP_8_00_01();
bool dm_SP_8_00_02();
bool dm_SP_8_00_03();
bool dm_SP_8_00_04();
bool dm_SP_8_00_05();
bool dm_SP_8_00_06();
bool dm_SP_8_00_07();

// One pack as the run needs it: its number N (8.00.0N), the steps it counts
// (KolvoSP, derived from its table), its wrapper, and the new record formats it
// gives each table (derived from its table too).
struct PackEntry {
    int number = 0;
    int KolvoSP = 0;
    std::function<bool()> wrapper;
    engine::Reformats reformats;
};

// The eight packs 8.00.00 to 8.00.07 in their order.
std::vector<PackEntry> allPacks();

} // namespace packs
