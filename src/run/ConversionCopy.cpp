#include "run/ConversionCopy.h"

#include "engine/EngineState.h"
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
    const auto& from = environment::Files712;
    const auto& to = environment::kvSetting.KVFile;
    const struct {
        const std::string& source;
        const std::string& target;
        bool keepExisting;
    } pairs[kCopyPairs] = {
        {from.filePrice, to.FilePrice, false},        {from.fileSorvin, engine::fileSorvin, false},
        {from.fileBase, to.FileBase, false},          {from.fileConfig, to.FileConfig, false},
        {from.fileSystem, to.FileSystem, false},      {from.FileGrelto, to.FileGrelto, false},
        {from.fileOrders, to.FileOrders, false},      {from.fileOrdersServer, to.FileOrdersServer, false},
        {from.filePellix, to.FilePellix, false},      {from.fileKladr, to.fileKladr, true},
        {from.fileKladrMain, to.fileKladrMain, true},
    };
    for (const auto& pair : pairs) {
        CopyFile712(pair.source, pair.target, pair.keepExisting, progress, hooks);
    }
}

} // namespace run
