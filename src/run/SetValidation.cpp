#include "run/SetValidation.h"

#include "engine/DatabaseSlots.h"
#include "environment/EventLog.h"
#include "environment/RunLog.h"
#include "platform/FileSystem.h"
#include "platform/UserInterface.h"

namespace run {
namespace {

std::string copyOf(const std::string& database, const std::optional<RestorePoint>& backup) {
    if (backup) {
        for (const auto& [file, copy] : backup->files) {
            if (file == database) {
                return copy;
            }
        }
    }
    return {};
}

void reportDamaged(const engine::Validation& validation, const std::optional<RestorePoint>& backup) {
    const std::string copy = copyOf(validation.database, backup);
    const std::string where = copy.empty() ? "резервной копии нет" : "резервная копия: " + copy;
    std::string findings;
    for (const auto& line : validation.findings) {
        environment::ZapisMemo3("  " + line);
        findings += (findings.empty() ? "" : "; ") + line;
    }
    environment::ZapisMemo3("  " + where);
    environment::fw_Write_Register(environment::kDatabaseFailureEvent,
                                   validation.database + ": проверка: " + findings + "; " + where);
    platform::ui().showMessage("База данных повреждена:\r" + validation.database + "\r\r" + findings + "\r\r" +
                               (copy.empty() ? "Резервной копии нет" : "Резервная копия:\r" + copy));
}

} // namespace

std::vector<engine::Validation> validateSet() {
    std::vector<engine::Validation> validations;
    for (const engine::Slot slot : engine::kJournalOrder) {
        const std::string path = engine::slotPath(slot);
        if (engine::slotPresent(slot) && platform::fileExists(path)) {
            validations.push_back(engine::validateDatabase(path));
        }
    }
    return validations;
}

bool control_Validation(const std::optional<RestorePoint>& backup) {
    environment::ZapisLabel(" Проверка баз данных");
    bool allValid = true;
    for (const auto& validation : validateSet()) {
        environment::ZapisMemo3("Проверка базы данных " + validation.database + ": " +
                                (validation.valid ? "ошибок нет" : "найдены ошибки"));
        if (!validation.valid) {
            reportDamaged(validation, backup);
            allValid = false;
        }
    }
    return allValid;
}

} // namespace run
