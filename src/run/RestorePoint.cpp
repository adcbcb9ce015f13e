#include "run/RestorePoint.h"

#include "engine/DatabaseCheck.h"
#include "engine/DatabaseCopy.h"
#include "engine/DatabaseSlots.h"
#include "environment/EventLog.h"
#include "environment/KvSetting.h"
#include "environment/RunLog.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/StepBoundary.h"
#include "platform/UserInterface.h"

#include <cstdio>
#include <filesystem>
#include <sstream>

namespace run {
namespace {

using environment::kvSetting;

// Events of the backup: "Создаю архив" when it starts, "Создал архив" with its folder.
constexpr int kBackupStarted = 6;
constexpr int kBackupMade = 7;

constexpr std::uintmax_t kMegabyte = 1024 * 1024;

std::string backupFolderName() {
    const platform::DateTime now = platform::now();
    char name[64];
    // An ASCII name: Firebird takes the path in the locale's character set, whatever that is.
    std::snprintf(name, sizeof name, "zuruzod-backup-%04d%02d%02d-%02d%02d%02d", now.year, now.month, now.day, now.hour,
                  now.minute, now.second);
    // A run in the same second as another keeps its own folder.
    std::string folder = kvSetting.KVDir.Vesk + name;
    for (int n = 2; platform::directoryExists(folder + platform::kSeparator); ++n) {
        folder = kvSetting.KVDir.Vesk + name + " (" + std::to_string(n) + ")";
    }
    return folder + platform::kSeparator;
}

std::string fileNameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

std::vector<std::string> databasesOfTheSet() {
    std::vector<std::string> paths;
    for (const engine::Slot slot : engine::kJournalOrder) {
        const std::string path = engine::slotPath(slot);
        if (engine::slotPresent(slot) && platform::fileExists(path)) {
            paths.push_back(path);
        }
    }
    return paths;
}

void failBackup(const std::string& reason) {
    environment::ZapisMemo3("Резервная копия баз данных не создана: " + reason);
    environment::ZapisMemo3("Ничего не изменено");
    environment::fw_Write_Register(environment::kDatabaseFailureEvent, "резервная копия не создана: " + reason);
    platform::ui().showMessage("Резервная копия баз данных не создана\r\r" + reason + "\r\rНичего не изменено");
}

BackupSpace spaceFor(const std::vector<std::string>& databases, const std::string& folder) {
    BackupSpace space;
    for (const auto& path : databases) {
        space.needed += platform::fileSize(path);
    }
    space.available = platform::freeSpace(folder);
    space.folder = kvSetting.KVDir.Vesk;
    return space;
}

bool enoughSpace(const std::vector<std::string>& databases, const std::string& folder) {
    const BackupSpace space = spaceFor(databases, folder);
    if (space.enough()) {
        return true;
    }
    failBackup("недостаточно места на диске: нужно " + std::to_string(space.needed / kMegabyte + 1) + " МБ, свободно " +
               std::to_string(space.available / kMegabyte) + " МБ в " + space.folder);
    return false;
}

void writeMarker(const RestorePoint& point) {
    std::ostringstream text;
    text << point.folder << '\n';
    for (const auto& [database, copy] : point.files) {
        text << database << '\t' << copy << '\n';
    }
    platform::replaceFileContents(markerPath(), text.str());
}

void failRestore(const std::string& reason) {
    environment::ZapisMemo3("Базы данных не восстановлены: " + reason);
    environment::fw_Write_Register(environment::kDatabaseFailureEvent, reason);
    platform::ui().showMessage("Базы данных не восстановлены\r\r" + reason);
}

// Why the set cannot be put back now: a copy that is gone or no longer a database, or a database
// that another program has open (its work would go on in a file no longer there). Empty when it can.
std::string whyNotRestorable(const RestorePoint& point) {
    for (const auto& [database, copy] : point.files) {
        if (!platform::fileExists(copy)) {
            return "нет копии " + copy;
        }
        if (const std::string problem = engine::databaseProblem(copy); !problem.empty()) {
            return "копия " + copy + " не читается: " + problem;
        }
    }
    for (const auto& [database, copy] : point.files) {
        if (const std::string holders = engine::databaseHolders(database); !holders.empty()) {
            return database + ": " + holders + "\rЗакройте программы, работающие с базой, и повторите восстановление";
        }
    }
    return {};
}

} // namespace

BackupSpace backupSpace() {
    return spaceFor(databasesOfTheSet(), kvSetting.KVDir.Vesk);
}

std::string markerPath() {
    return kvSetting.KVDir.Vesk + "zuruzod-upgrade-run.txt";
}

std::string installationLockPath() {
    return kvSetting.KVDir.Vesk + "zuruzod-upgrade.lock";
}

std::optional<RestorePoint> readMarker() {
    std::string text;
    if (!platform::readWholeFile(markerPath(), text)) {
        return std::nullopt;
    }
    std::istringstream lines(text);
    RestorePoint point;
    if (!std::getline(lines, point.folder) || point.folder.empty()) {
        return std::nullopt;
    }
    for (std::string line; std::getline(lines, line);) {
        const auto tab = line.find('\t');
        if (tab != std::string::npos) {
            point.files.emplace_back(line.substr(0, tab), line.substr(tab + 1));
        }
    }
    return point;
}

void removeMarker() {
    platform::removeFileClearingAttributes(markerPath());
}

std::optional<RestorePoint> makeRestorePoint() {
    RestorePoint point;
    point.folder = backupFolderName();
    const std::vector<std::string> databases = databasesOfTheSet();
    if (!enoughSpace(databases, point.folder)) {
        return std::nullopt;
    }
    environment::fw_Write_Register(kBackupStarted);
    if (!platform::createDirectories(point.folder)) {
        failBackup("не удалось создать папку " + point.folder);
        return std::nullopt;
    }
    platform::boundaryPlace("backup");
    for (const auto& database : databases) {
        const std::string copy = point.folder + fileNameOf(database);
        try {
            engine::copyDatabaseConsistently(database, copy);
        } catch (const std::exception& error) {
            failBackup(error.what());
            return std::nullopt;
        }
        if (const std::string problem = engine::databaseProblem(copy); !problem.empty()) {
            failBackup("копия " + copy + " не читается: " + problem);
            return std::nullopt;
        }
        point.files.emplace_back(database, copy);
        platform::stepBoundary();
    }
    writeMarker(point);
    environment::ZapisMemo3("Резервная копия баз данных: " + point.folder);
    environment::fw_Write_Register(kBackupMade, point.folder);
    return point;
}

bool restoreFrom(const RestorePoint& point) {
    // Every copy and every database is checked before the first is replaced: a set put back in
    // part would be neither the one before the run nor the one the run left.
    if (const std::string reason = whyNotRestorable(point); !reason.empty()) {
        failRestore(reason + "\rНи одна база данных не изменена");
        return false;
    }
    size_t restored = 0;
    for (const auto& [database, copy] : point.files) {
        if (!platform::copyFileCompletely(copy, database)) {
            failRestore("не удалось восстановить " + database + " из " + copy +
                        "\rВосстановлено баз: " + std::to_string(restored) + " из " +
                        std::to_string(point.files.size()) + "; восстановление можно повторить");
            return false;
        }
        ++restored;
    }
    removeMarker();
    environment::ZapisMemo3("Базы данных восстановлены из резервной копии " + point.folder);
    environment::fw_Write_Register(kBackupMade, "восстановлено из " + point.folder);
    return true;
}

} // namespace run
