#include "run/InstallationRun.h"

#include "environment/EventLog.h"
#include "environment/FileProcedures.h"
#include "environment/RunLog.h"
#include "platform/StepBoundary.h"
#include "platform/UserInterface.h"
#include "run/RestorePoint.h"
#include "run/SetValidation.h"
#include "run/SiblingReplacement.h"

#include <exception>

namespace run {
namespace {

using environment::ZapisLabel;
using environment::ZapisMemo3;

void reportNotInstalled() {
    ZapisMemo3("Обновление не установлено");
    ZapisMemo3("");
    ZapisMemo3("Перезагрузите компьютер");
    ZapisMemo3("Попробуйте еще раз установить обновления");
    environment::fw_Write_Register(491);
}

void registerRelease(const environment::TProgramInfo& UpgradeInfo) {
    ZapisLabel("Регистрация");
    environment::fw_Write_RegistryInteger("", "ServicePack", UpgradeInfo.ServicePack);
    environment::fw_Write_RegistryInteger("", "Build", UpgradeInfo.Build);
    ZapisMemo3("");
    ZapisMemo3("Обновление версии 8.00 успешно завершено");
    ZapisMemo3("");
    ZapisMemo3("Установлена следующая конфигурация: ServicePack: " + std::to_string(UpgradeInfo.ServicePack) +
               ", Build: " + std::to_string(UpgradeInfo.Build));
}

// After a failed pack: every database back as it was before the run, when the user wants it.
// Declined, the marker stays, so that the next start offers it again.
void offerRestore(const RestorePoint& point, const RunHooks& hooks) {
    const bool wanted =
        hooks.askRestore ? hooks.askRestore(point.folder)
                         : platform::ui().askYesNo("Обновление не установлено.\rВернуть все базы данных в состояние до "
                                                   "установки?\r\rРезервная копия: " +
                                                   point.folder);
    if (wanted && restoreFrom(point)) {
        platform::ui().showMessage("Базы данных восстановлены из резервной копии\r" + point.folder);
    }
}

// The run log says why the run ended; the event log keeps it.
void recordEnd(const std::string& reason, int code, const std::string& detail) noexcept {
    try {
        ZapisMemo3(reason);
        environment::fw_Write_Register(code, detail);
    } catch (const std::exception&) {
        // The event log is the record; an unwritable log is the one thing left unsaid.
    }
}

InstallationResult installEverything(int MinVersion, const environment::TProgramInfo& UpgradeInfo,
                                     std::vector<PackStep> packs, const RunHooks& hooks) {
    UpgradeRun upgradeRun(std::move(packs), hooks);
    const bool installed = upgradeRun.installPacks(MinVersion) == RunOutcome::Installed;
    // A database that the run left damaged is a failed run: its backup is offered back. One that
    // could not be checked is named, but the run that installed everything stays a success.
    const SetVerdict verdict =
        installed && upgradeRun.restorePoint() ? control_Validation(upgradeRun.restorePoint()) : SetVerdict::AllValid;
    if (!installed || verdict == SetVerdict::Damaged) {
        if (upgradeRun.restorePoint()) {
            offerRestore(*upgradeRun.restorePoint(), hooks);
        }
        return InstallationResult::PacksFailed;
    }
    // The packs are in: nothing is left to put back.
    removeMarker();
    ZapisLabel("");
    const bool failed = replaceSiblingExecutables(upgradeRun.c(), upgradeRun.vbb(), hooks);
    ZapisMemo3(std::to_string(upgradeRun.scale()) + "-" + std::to_string(platform::ui().overallGaugePosition()));
    ZapisMemo3("");
    const std::string E = "Error " + std::to_string(upgradeRun.c()) + "." + std::to_string(upgradeRun.vbb());
    if (failed) {
        platform::ui().showMessage(E + "_112");
        reportNotInstalled();
    } else {
        registerRelease(UpgradeInfo);
    }
    environment::fw_Write_Register(409, verdict == SetVerdict::AllValid ? "базы данных проверены, ошибок нет"
                                                                        : "не все базы данных удалось проверить");
    return failed ? InstallationResult::SiblingsFailed : InstallationResult::Installed;
}

} // namespace

InstallationResult runInstallation(int MinVersion, const environment::TProgramInfo& UpgradeInfo,
                                   std::vector<PackStep> packs, const RunHooks& hooks) {
    InstallationResult result = InstallationResult::Error;
    const int scale = gaugeScale(packs);
    try {
        result = installEverything(MinVersion, UpgradeInfo, std::move(packs), hooks);
    } catch (const platform::RunStopped&) {
        result = InstallationResult::Stopped;
        recordEnd("Установка прервана по запросу", 491, "прервана по запросу");
    } catch (const std::exception& error) {
        recordEnd(std::string("Непредвиденный сбой: ") + error.what(), 492, error.what());
        // The marker of this run names its backup when the error came after the first change.
        try {
            if (const auto point = readMarker()) {
                offerRestore(*point, hooks);
            }
        } catch (const std::exception& restoreError) {
            recordEnd(std::string("Базы данных не восстановлены: ") + restoreError.what(), 492, restoreError.what());
        }
    }
    ZapisLabel("");
    platform::ui().overallGaugeReset(scale);
    return result;
}

} // namespace run
