#pragma once

#include "engine/DataModule.h"

namespace packs {

// Service pack 8.00.06: the steps it counts (its table's total) and the pack method.
int steps_8_00_06();
bool a_SP_8_00_06(engine::TDM1& dm);

} // namespace packs
