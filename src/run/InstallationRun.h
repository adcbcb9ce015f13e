#pragma once

#include "environment/KvSetting.h"
#include "run/UpgradeRun.h"

namespace run {

enum class InstallationResult {
    Installed,      // packs, sibling executables and the registry values: all done
    PacksFailed,    // a pack failed; nothing was replaced or registered
    SiblingsFailed, // the packs are in, a sibling executable is not; not registered
    Stopped,        // a stop was asked for; the run ended at a step boundary
    Error,          // something unexpected stopped the run
};

// The whole run of the installation page: the packs the stamps call for, the
// sibling executables, the release in the registry, with every run-log line
// and event of the way. The gauge and the step label are reset at the end.
InstallationResult runInstallation(int MinVersion, const environment::TProgramInfo& UpgradeInfo,
                                   std::vector<PackStep> packs, const RunHooks& hooks);

} // namespace run
