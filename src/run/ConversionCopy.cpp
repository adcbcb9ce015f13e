#include "run/ConversionCopy.h"

#include "engine/DatabaseSlots.h"
#include "environment/EventLog.h"
#include "environment/KvSetting.h"
#include "environment/PreFlight.h"
#include "platform/FileSystem.h"
#include "platform/StepBoundary.h"
#include "platform/UserInterface.h"

#include <utility>
#include <vector>

namespace run {
namespace {

constexpr std::uintmax_t kMegabyte = 1024 * 1024;

void reportCopyFailure(const std::string& reason) {
    environment::fw_Write_Register(environment::kDatabaseFailureEvent, reason);
    platform::ui().showMessage("Файлы версии 7.12 не скопированы\r\r" + reason);
}

struct CopyPair {
    std::string source;
    std::string target;
    bool keepExisting;
};

std::vector<CopyPair> copyPairs() {
    std::vector<CopyPair> pairs;
    for (const engine::Slot slot : engine::kConversionCopyOrder) {
        pairs.push_back({engine::slotPath712(slot), engine::slotPath(slot), false});
    }
    // The address databases are not upgraded; a version-8 copy already there is kept.
    const auto& from = environment::Files712;
    const auto& to = environment::kvSetting.KVFile;
    pairs.push_back({from.fileKladr, to.fileKladr, true});
    pairs.push_back({from.fileKladrMain, to.fileKladrMain, true});
    return pairs;
}

bool enoughSpace(const std::vector<CopyPair>& pairs) {
    std::uintmax_t needed = 0;
    for (const auto& pair : pairs) {
        if (platform::fileExists(pair.source) && !(pair.keepExisting && platform::fileExists(pair.target))) {
            needed += platform::fileSize(pair.source);
        }
    }
    const std::string& folder = environment::kvSetting.KVDir.dirKalver;
    const std::uintmax_t available = platform::freeSpace(folder);
    if (available >= needed) {
        return true;
    }
    reportCopyFailure("недостаточно места на диске: нужно " + std::to_string(needed / kMegabyte + 1) +
                      " МБ, свободно " + std::to_string(available / kMegabyte) + " МБ в " + folder);
    return false;
}

} // namespace

bool CopyFile712(const std::string& Source, const std::string& Target, bool FailIfExists, const CopyProgress& progress,
                 const RunHooks& hooks) {
    bool copied = true;
    if (platform::fileExists(Source)) {
        progress.copying(Source, Target);
        platform::ui().processEvents();
        if (!(FailIfExists && platform::fileExists(Target))) {
            copied = platform::copyFileCompletely(Source, Target);
        }
    }
    if (!copied) {
        reportCopyFailure("не удалось скопировать " + Source + " в " + Target);
        return false;
    }
    progress.pairDone();
    platform::ui().processEvents();
    hooks.pause(300);
    platform::stepBoundary();
    return true;
}

bool copyFiles712(const CopyProgress& progress, const RunHooks& hooks) {
    // A new installation may not have made the version-8 folder yet; without it every copy would fail.
    platform::createDirectories(environment::kvSetting.KVDir.dirKalver);
    const std::vector<CopyPair> pairs = copyPairs();
    if (!enoughSpace(pairs)) {
        return false;
    }
    platform::replaceFileContents(environment::copyMarkerPath(), environment::Files712.dirKalver + "\n");
    platform::boundaryPlace("copy");
    for (const auto& pair : pairs) {
        if (!CopyFile712(pair.source, pair.target, pair.keepExisting, progress, hooks)) {
            return false;
        }
    }
    platform::removeFileClearingAttributes(environment::copyMarkerPath());
    return true;
}

} // namespace run
