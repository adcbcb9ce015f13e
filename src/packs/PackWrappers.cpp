#include "packs/PackWrappers.h"

#include "engine/PackFrame.h"
#include "packs/Pack_8_00_00.h"
#include "packs/Pack_8_00_01.h"
#include "packs/Pack_8_00_02.h"
#include "packs/Pack_8_00_03.h"
#include "packs/Pack_8_00_04.h"
#include "packs/Pack_8_00_05.h"
#include "packs/Pack_8_00_06.h"
#include "packs/Pack_8_00_07.h"

namespace packs {

bool dm_SPold_007_12_SPnew_008() {
    return engine::runPackWrapper(0, a_SPold_007_12_SPnew_008);
}
bool dm_SP_8_00_01() {
    return engine::runPackWrapper(1, a_SP_8_00_01);
}
bool dm_SP_8_00_02() {
    return engine::runPackWrapper(2, a_SP_8_00_02);
}
bool dm_SP_8_00_03() {
    return engine::runPackWrapper(3, a_SP_8_00_03);
}
bool dm_SP_8_00_04() {
    return engine::runPackWrapper(4, a_SP_8_00_04);
}
bool dm_SP_8_00_05() {
    return engine::runPackWrapper(5, a_SP_8_00_05);
}
bool dm_SP_8_00_06() {
    return engine::runPackWrapper(6, a_SP_8_00_06);
}
bool dm_SP_8_00_07() {
    return engine::runPackWrapper(7, a_SP_8_00_07);
}

std::vector<PackEntry> allPacks() {
    return {
        {0, engine::KolvoSP(pack_8_00_00()), dm_SPold_007_12_SPnew_008, engine::reformatsOf(pack_8_00_00())},
        {1, steps_8_00_01(), dm_SP_8_00_01, reformats_8_00_01()},
        {2, steps_8_00_02(), dm_SP_8_00_02, reformats_8_00_02()},
        {3, steps_8_00_03(), dm_SP_8_00_03, reformats_8_00_03()},
        {4, steps_8_00_04(), dm_SP_8_00_04, reformats_8_00_04()},
        {5, steps_8_00_05(), dm_SP_8_00_05, reformats_8_00_05()},
        {6, steps_8_00_06(), dm_SP_8_00_06, reformats_8_00_06()},
        {7, steps_8_00_07(), dm_SP_8_00_07, reformats_8_00_07()},
    };
}

} // namespace packs
