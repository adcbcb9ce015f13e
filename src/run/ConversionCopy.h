#pragma once

#include "run/UpgradeRun.h"

#include <functional>
#include <string>

namespace run {

// Where the copy shows itself: the pair being copied, and each pair done.
struct CopyProgress {
    std::function<void(const std::string& source, const std::string& target)> copying = [](auto&, auto&) {};
    std::function<void()> pairDone = [] {};
};

// The number of file pairs the conversion copy goes through.
inline constexpr int kCopyPairs = 11;

// Copies the 7.12 databases found by the pre-flight into the version-8 folder.
// Existing targets are replaced, except the two address databases, which are
// kept; a source that is missing is passed over. The free space is checked
// first; each file is copied under a temporary name and renamed when complete,
// and a marker in the folder stands until every copy is done, so that a copy cut
// short leaves a set that the pre-flight takes as incomplete. A copy that fails
// stops the copying with a message and an event-log entry: false. The 7.12 files
// are only read.
bool copyFiles712(const CopyProgress& progress, const RunHooks& hooks);

// Copies one file when its source exists, then counts the pair done; false when the copy failed.
bool CopyFile712(const std::string& Source, const std::string& Target, bool FailIfExists, const CopyProgress& progress,
                 const RunHooks& hooks);

} // namespace run
