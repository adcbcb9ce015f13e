#pragma once

#include "engine/PackFrame.h"

namespace packs {

// Service pack 8.00.04: the steps it counts (its table's total), the new record formats it
// gives each table and the pack method.
int steps_8_00_04();
engine::Reformats reformats_8_00_04();
bool a_SP_8_00_04(engine::TDM1& dm);

} // namespace packs
