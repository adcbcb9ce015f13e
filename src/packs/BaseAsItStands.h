#pragma once

#include "engine/DataModule.h"

#include <functional>

namespace packs {

// Reads from the Base database as it stands, through a connection of its own,
// when its stamp is at least Version 8, ServicePack 0, Build `build`: what an
// Orders part needs when the Base database went on in an earlier run. False
// when the stamp is lower, the database does not open or `read` fails. The
// step counter is left as it was.
bool readFromBaseAsItStands(int build, const std::function<bool(engine::TDM1&)>& read);

} // namespace packs
