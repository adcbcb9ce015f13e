#pragma once

#include "run/UpgradeRun.h"

#include <string>

namespace run {

// Writes an embedded executable into the program folder; the result code:
// 0 written, 1 the old file could not be removed, 2 written but not there
// afterwards, 3 no such resource, 4 the file exists and overwriting was not asked.
// Damaged compressed data or a failed write is thrown to the caller.
int fw_ExtractResource(const std::string& ResName, const std::string& ResType, const std::string& FileName,
                       bool Overwrite);

// Runs fw_ExtractResource and reports its result in the run log; a file found
// busy or missing after writing sets the failure flag.
void ExtractSibling(const std::string& ResName, const std::string& ResType, const std::string& FileName, bool Overwrite,
                    bool& failed, const RunHooks& hooks);

// The replacement of the two sibling executables after the packs. It adds
// exactly 3 to the overall gauge and returns the failure flag.
bool replaceSiblingExecutables(int c, int vbb, const RunHooks& hooks);

} // namespace run
