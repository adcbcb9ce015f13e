#include "run/StateDetection.h"

#include "engine/DatabaseSlots.h"
#include "engine/EngineState.h"
#include "engine/ReadingWrappers.h"
#include "environment/EventLog.h"
#include "environment/FileProcedures.h"
#include "environment/PreFlight.h"
#include "platform/FileSystem.h"
#include "platform/UserInterface.h"
#include "run/RestorePoint.h"

#include <cstdio>
#include <exception>

namespace run {
namespace {

using environment::kvSetting;

std::string versionText(int Ver) {
    std::string text = std::to_string(Ver);
    while (!text.empty() && text.back() == '0') {
        text.pop_back();
    }
    return text;
}

std::string twoDigitsAtLeast(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

std::string baseName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The UTF-8 text padded with blanks to a number of characters.
std::string padded(std::string text, size_t characters) {
    size_t count = 0;
    for (unsigned char c : text) {
        count += (c & 0xC0) != 0x80;
    }
    if (count < characters) {
        text.append(characters - count, ' ');
    }
    return text;
}

void AddFileVersion(const std::string& FileName, DetectedState& state, const StampReader& read) {
    const auto stamp = read(FileName);
    if (!stamp) {
        return;
    }
    const auto [Ver, SP, BB] = *stamp;
    state.lines.push_back(stampLine(FileName, Ver, SP, BB));
    state.minima.add(Ver, SP, BB);
}

bool version8SetComplete(const Minima& minima) {
    const auto& file = kvSetting.KVFile;
    return minima.allRead() && platform::fileExists(file.FileBase) && platform::fileExists(file.FileSystem) &&
           platform::fileExists(file.FileOrders) && platform::fileExists(file.FilePrice);
}

} // namespace

std::string stampLine(const std::string& FileName, int Ver, int SP, int BB) {
    return padded(baseName(FileName) + ": ", 16) + "сборка (" + versionText(Ver) + "." + twoDigitsAtLeast(SP) + "." +
           twoDigitsAtLeast(BB) + ")";
}

namespace {

// The event of a start that finds an unfinished run, with its backup folder.
constexpr int kInterruptedRunFound = 491;

// A run that was stopped part-way (or failed and kept its backup) left its marker: that
// comes first, with its backup and the offer to put every database back.
void offerInterruptedRunRestore(DetectedState& state) {
    const std::optional<RestorePoint> point = readMarker();
    if (!point) {
        return;
    }
    state.lines.push_back("Предыдущая установка обновлений не завершена");
    state.lines.push_back("Резервная копия баз данных: " + point->folder);
    environment::fw_Write_Register(kInterruptedRunFound, point->folder);
    if (!platform::ui().askYesNo("Предыдущая установка обновлений не завершена.\rВосстановить все базы данных из "
                                 "резервной копии?\r\r" +
                                 point->folder)) {
        state.lines.push_back("");
        return;
    }
    state.lines.push_back(restoreFrom(*point) ? "Базы данных восстановлены из резервной копии"
                                              : "Базы данных НЕ восстановлены");
    state.lines.push_back("");
}

} // namespace

DetectedState detectState(environment::TProgramInfo& UpgradeInfo) {
    DetectedState state;
    environment::fw_Write_Register(5);
    engine::fileSorvin = kvSetting.KVDir.dirKalver + "Sorvin.fdb";
    kvSetting.KVFile.FileINI = kvSetting.KVDir.PFVeskKalver8 + "kv.ini";
    try {
        environment::read_FileVersion(platform::executablePath(), UpgradeInfo);
    } catch (const std::exception&) {
        UpgradeInfo.VersionMain = UpgradeInfo.Version = UpgradeInfo.ServicePack = UpgradeInfo.Build = -1;
        state.lines = {"Обновление не возможно", "Произошел непредвиденный сбой", "Перезагрузите компьютер"};
        state.versionUnreadable = true;
        environment::fw_Write_Register(490);
        return state;
    }
    offerInterruptedRunRestore(state);
    readStampsAndDecide(state, [](const std::string& path) -> std::optional<std::array<int, 3>> {
        int Ver = 0, SP = 0, BB = 0;
        if (!engine::dm_read_VersionServicePackBuild(path, Ver, SP, BB)) {
            return std::nullopt;
        }
        return std::array{Ver, SP, BB};
    });
    return state;
}

void readStampsAndDecide(DetectedState& state, const StampReader& read) {
    state.lines.push_back("База: " + kvSetting.KVDir.dirKalver);
    for (const engine::Slot slot : engine::kDetectionOrder) {
        AddFileVersion(engine::slotPath(slot), state, read);
    }
    if (!version8SetComplete(state.minima)) {
        state.lines.push_back("");
        state.lines.push_back("Установка будет производиться из файлов версии 7.12:");
        for (const engine::Slot slot : engine::kDetectionOrder) {
            AddFileVersion(engine::slotPath712(slot), state, read);
        }
    }
    const Minima& m = state.minima;
    state.lines.push_back("Текущая сборка: \t" + std::to_string(m.MinVersion) + "." + std::to_string(m.MinServicePack) +
                          "." + std::to_string(m.MinBuild));
    const StateDecision decision = decideState(m.MinVersion, m.MinServicePack, m.MinBuild);
    state.lines.insert(state.lines.end(), decision.lines.begin(), decision.lines.end());
    state.minima.MinVersion = decision.MinVersion;
    if (!decision.ready) {
        return;
    }
    state.ready = true;
    const auto& old = environment::Files712;
    state.page = (old.file8 || !old.file7) ? StartPage::Start : StartPage::Choice;
    state.lines.push_back("Нажмите кн. Далее для продолжения установки");
}

} // namespace run
