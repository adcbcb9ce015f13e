#pragma once

#include "engine/PackFrame.h"

namespace packs {

// Service pack 8.00.00: turns a 7.12 database set into 8.0.0. Every database
// that opens gets the upgrade journal and the stamp, whatever it carried.
engine::PackTable pack_8_00_00();
bool a_SPold_007_12_SPnew_008(engine::TDM1& dm);

} // namespace packs
