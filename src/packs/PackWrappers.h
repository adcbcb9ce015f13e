#pragma once

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

} // namespace packs
