#include "run/StandardPacks.h"

#include "packs/PackWrappers.h"

namespace run {

std::vector<PackStep> standardPacks() {
    return {
        {0, 30, packs::dm_SPold_007_12_SPnew_008},
        {1, 152, packs::dm_SP_8_00_01},
        {2, 247, packs::dm_SP_8_00_02},
        {3, 80, packs::dm_SP_8_00_03},
        {4, 234, packs::dm_SP_8_00_04},
        {5, 36, packs::dm_SP_8_00_05},
        {6, 67, packs::dm_SP_8_00_06},
        {7, 40, packs::dm_SP_8_00_07},
    };
}

} // namespace run
