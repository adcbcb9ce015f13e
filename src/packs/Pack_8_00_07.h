#pragma once

#include "engine/DataModule.h"

namespace packs {

// Service pack 8.00.07: the steps it counts (its table's total) and the pack method.
int steps_8_00_07();
bool a_SP_8_00_07(engine::TDM1& dm);

} // namespace packs
