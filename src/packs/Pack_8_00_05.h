#pragma once

#include "engine/PackFrame.h"

namespace packs {

// Service pack 8.00.05: the steps it counts (its table's total), the new record formats it
// gives each table and the pack method.
int steps_8_00_05();
engine::Reformats reformats_8_00_05();
bool a_SP_8_00_05(engine::TDM1& dm);

} // namespace packs
