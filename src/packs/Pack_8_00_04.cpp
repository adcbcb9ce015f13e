#include "packs/Pack_8_00_04.h"

namespace packs {

// Not in this build yet: the pack changes nothing and reports failure, so a run
// stops here and is never taken for installed.
int steps_8_00_04() {
    return 225;
}

bool a_SP_8_00_04(engine::TDM1&) {
    return false;
}

} // namespace packs
