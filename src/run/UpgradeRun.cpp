#include "run/UpgradeRun.h"

#include "engine/DatabaseSlots.h"
#include "engine/EngineState.h"
#include "engine/FailureRecord.h"
#include "engine/PackFrame.h"
#include "engine/ReadingWrappers.h"
#include "environment/EventLog.h"
#include "environment/FileProcedures.h"
#include "environment/KvSetting.h"
#include "environment/RunLog.h"
#include "platform/FileSystem.h"
#include "platform/StepBoundary.h"
#include "platform/UserInterface.h"
#include "run/FormatCheck.h"
#include "run/Minima.h"
#include "run/SetCheck.h"

#include <stdexcept>

namespace run {

using environment::kvSetting;
using environment::ZapisLabel;
using environment::ZapisMemo3;

namespace {

// A pack fails without a word of its own; the run log says what made it fail.
void sayCause() {
    if (!engine::firstFailure().empty()) {
        ZapisMemo3("Причина: " + engine::firstFailure());
    }
}

// After a pack every database of the set that is there shows its stamp: one left out of the
// lowest stamp would let the run pass over the packs it still needs and report success.
bool stampsReadable() {
    for (const engine::Slot slot : engine::kMinimumStampOrder) {
        const std::string path = engine::slotPath(slot);
        int Ver = 0, SP = 0, BB = 0;
        if (engine::slotPresent(slot) && platform::fileExists(path) &&
            !engine::dm_read_VersionServicePackBuild(path, Ver, SP, BB)) {
            engine::recordFailure(path + ": версия базы данных не читается");
            environment::fw_Write_Register(environment::kDatabaseFailureEvent,
                                           path + ": версия базы данных не читается");
            return false;
        }
    }
    return true;
}

} // namespace

std::string twoDigits(int number) {
    return (number < 10 ? "0" : "") + std::to_string(number);
}

UpgradeRun::UpgradeRun(std::vector<PackStep> packs, RunHooks hooks)
    : m_packs(std::move(packs)), m_hooks(std::move(hooks)) {
    if (m_packs.size() != 8) {
        throw std::invalid_argument("a run takes the eight packs 8.00.00 to 8.00.07");
    }
    m_scale = gaugeScale(m_packs);
}

bool UpgradeRun::packRequired(int N, int c, int vbb) {
    return c == 0 && (vbb == N - 1 || (N == 7 && vbb == 7));
}

std::vector<int> packsToRun(int MinVersion, int c, int vbb) {
    std::vector<int> numbers;
    if (MinVersion == 7) {
        numbers.push_back(0);
        // The conversion stamps every database 8.0.0.
        c = 0;
        vbb = 0;
    }
    for (int N = 1; N <= 7; ++N) {
        if (UpgradeRun::packRequired(N, c, vbb)) {
            numbers.push_back(N);
            vbb = N;
        }
    }
    return numbers;
}

void UpgradeRun::StepGauge(int Value) {
    platform::ui().overallGaugeAdd(Value);
    platform::stepBoundary();
}

void UpgradeRun::ResetRun() {
    ZapisLabel("");
    platform::ui().overallGaugeReset(m_scale);
}

RunOutcome UpgradeRun::installPacks(int MinVersion) {
    platform::ui().overallGaugeReset(m_scale);
    environment::fw_Write_Register(401);
    ZapisMemo3("Установка обновлений:");
    if (!control_SetOpens()) {
        ResetRun();
        return RunOutcome::SetUnopenable;
    }
    if (!control_FormatLimit()) {
        ResetRun();
        return RunOutcome::FormatLimit;
    }
    m_restorePoint = makeRestorePoint();
    if (!m_restorePoint) {
        ResetRun();
        return RunOutcome::BackupFailed;
    }
    if (MinVersion == 7) {
        const RunOutcome converted = convert712();
        if (converted != RunOutcome::Installed) {
            return converted;
        }
    } else {
        ZapisLabel(" Service Pack 00.00");
        engine::enterPackPlace("pack", 0);
        StepGauge(m_packs[0].weight);
    }
    m_c = engine::dm_read_miniServicePackBuild(m_vbb);
    for (size_t i = 1; i < m_packs.size(); ++i) {
        const PackStep& pack = m_packs[i];
        if (!packRequired(pack.number, m_c, m_vbb)) {
            ZapisLabel(" Service Pack 00." + twoDigits(pack.number));
            engine::enterPackPlace("pack", pack.number);
            StepGauge(pack.weight);
            continue;
        }
        if (!installPack(pack)) {
            return RunOutcome::PackFailed;
        }
    }
    return RunOutcome::Installed;
}

RunOutcome UpgradeRun::convert712() {
    ZapisMemo3("Установка версии 8, Service Pack 00.00");
    ZapisMemo3("Начало установки Service Pack 00.00");
    ZapisLabel(" Установка Service Pack 00.00");
    m_hooks.pause(500);
    m_hooks.showPicture();
    if (!m_packs[0].wrapper()) {
        ZapisMemo3("Что-то пошло не так (01) ...");
        sayCause();
        ResetRun();
        return RunOutcome::ConversionFailed;
    }
    Minima minima;
    for (const engine::Slot slot : engine::kAfterConversionOrder) {
        ReadFileVersion(engine::slotPath(slot), minima);
    }
    if (!minima.allRead()) {
        ZapisMemo3("Что-то пошло не так (02) ...");
        ZapisMemo3(std::to_string(minima.MinVersion) + " - " + std::to_string(minima.MinServicePack) + " - " +
                   std::to_string(minima.MinBuild));
        ResetRun();
        return RunOutcome::StampsUnreadable;
    }
    ZapisMemo3("Установлена версия 8, Service Pack 00.00");
    return RunOutcome::Installed;
}

bool UpgradeRun::installPack(const PackStep& pack) {
    const std::string NN = twoDigits(pack.number);
    ZapisMemo3("Начало установки Service Pack 00." + NN);
    ZapisLabel(" Установка Service Pack 00." + NN);
    const bool catalogueToMove = pack.number == 3 && sorvinAwaitsTheMove();
    if (!pack.wrapper() || !stampsReadable()) {
        sayCause();
        platform::ui().showMessage("Установка невозможна\rКод: sp." + NN);
        ResetRun();
        return false;
    }
    m_c = engine::dm_read_miniServicePackBuild(m_vbb);
    if (catalogueToMove) {
        removeSorvinFile();
    }
    ZapisMemo3("Установлен Service Pack 00." + NN);
    return true;
}

// 8.00.03 reads the stock catalogue only from a Sorvin database at 8.0.2 and passes
// over one at any other stamp, whose catalogue then exists nowhere else: that file stays.
bool UpgradeRun::sorvinAwaitsTheMove() {
    Minima minima;
    return platform::fileExists(engine::fileSorvin) && ReadFileVersion(engine::fileSorvin, minima) &&
           minima.MinVersion == 8 && minima.MinServicePack == 0 && minima.MinBuild == 2;
}

// After 8.00.03 the suite keeps no Sorvin database; its temporary order files go with it.
void UpgradeRun::removeSorvinFile() {
    if (!platform::fileExists(engine::fileSorvin)) {
        return;
    }
    ZapisLabel(" Удаление: Sorvin.fdb");
    if (environment::fw_DeleteFile(engine::fileSorvin)) {
        ZapisLabel(" Удалён: Sorvin.fdb");
    } else {
        ZapisLabel(" Не смог удалить: Sorvin.fdb");
        m_hooks.pause(1000);
    }
    const auto& file = kvSetting.KVFile;
    for (const auto& path : {file.FileOrdersTMP, file.FileOrdersTMP2, file.FileOrdersTMP3}) {
        if (platform::fileExists(path)) {
            environment::fw_DeleteFile(path);
        }
    }
}

} // namespace run
