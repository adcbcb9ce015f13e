#include "run/ConversionCopy.h"

#include "engine/DatabaseSlots.h"
#include "environment/KvSetting.h"
#include "environment/PreFlight.h"
#include "platform/FileSystem.h"
#include "platform/UserInterface.h"

namespace run {

void CopyFile712(const std::string& Source, const std::string& Target, bool FailIfExists, const CopyProgress& progress,
                 const RunHooks& hooks) {
    if (platform::fileExists(Source)) {
        progress.copying(Source, Target);
        platform::ui().processEvents();
        if (!(FailIfExists && platform::fileExists(Target))) {
            platform::copyFile(Source, Target, true);
        }
    }
    progress.pairDone();
    platform::ui().processEvents();
    hooks.pause(300);
}

void copyFiles712(const CopyProgress& progress, const RunHooks& hooks) {
    // A new installation may not have made the version-8 folder yet; without it every copy would fail unseen.
    platform::createDirectories(environment::kvSetting.KVDir.dirKalver);
    for (const engine::Slot slot : engine::kConversionCopyOrder) {
        CopyFile712(engine::slotPath712(slot), engine::slotPath(slot), false, progress, hooks);
    }
    // The address databases are not upgraded; a version-8 copy already there is kept.
    const auto& from = environment::Files712;
    const auto& to = environment::kvSetting.KVFile;
    CopyFile712(from.fileKladr, to.fileKladr, true, progress, hooks);
    CopyFile712(from.fileKladrMain, to.fileKladrMain, true, progress, hooks);
}

} // namespace run
