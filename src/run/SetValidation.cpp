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

using Outcome = engine::Validation::Outcome;

std::string joinedFindings(const engine::Validation& validation) {
    std::string findings;
    for (const auto& line : validation.findings) {
        findings += (findings.empty() ? "" : "; ") + line;
    }
    return findings;
}

std::string backupNote(const std::string& copy) {
    return copy.empty() ? "резервной копии нет" : "резервная копия: " + copy;
}

// A database found damaged, or one whose validation never finished, is named with its backup in
// the run log, the event log and a message box.
void reportWithBackup(const engine::Validation& validation, const std::optional<RestorePoint>& backup, int event,
                      const std::string& eventVerdict, const std::string& title) {
    const std::string copy = copyOf(validation.database, backup);
    const std::string findings = joinedFindings(validation);
    for (const auto& line : validation.findings) {
        environment::ZapisMemo3("  " + line);
    }
    environment::ZapisMemo3("  " + backupNote(copy));
    environment::fw_Write_Register(event, validation.database + ": " + eventVerdict + ": " + findings + "; " +
                                              backupNote(copy));
    platform::ui().showMessage(title + ":\r" + validation.database + "\r\r" + findings + "\r\r" +
                               (copy.empty() ? "Резервной копии нет" : "Резервная копия:\r" + copy));
}

// A check that could not run says nothing about the database: it is neither valid nor damaged.
void reportNotChecked(const engine::Validation& validation) {
    const std::string reason = joinedFindings(validation);
    environment::ZapisMemo3("  " + reason);
    environment::fw_Write_Register(environment::kDatabaseNotCheckedEvent,
                                   validation.database + ": не удалось проверить: " + reason);
}

std::string verdictText(Outcome outcome) {
    switch (outcome) {
    case Outcome::Valid:
        return "ошибок нет";
    case Outcome::Damaged:
        return "найдены ошибки";
    case Outcome::Unfinished:
        return "проверка не закончена";
    case Outcome::NotChecked:
        break;
    }
    return "не удалось проверить";
}

std::vector<std::string> databasesOfSet() {
    std::vector<std::string> paths;
    for (const engine::Slot slot : engine::kJournalOrder) {
        const std::string path = engine::slotPath(slot);
        if (engine::slotPresent(slot) && platform::fileExists(path)) {
            paths.push_back(path);
        }
    }
    return paths;
}

} // namespace

std::vector<engine::Validation> validateSet() {
    std::vector<engine::Validation> validations;
    for (const auto& path : databasesOfSet()) {
        validations.push_back(engine::validateDatabase(path));
    }
    return validations;
}

SetVerdict control_Validation(const std::optional<RestorePoint>& backup) {
    environment::ZapisLabel(" Проверка баз данных");
    SetVerdict verdict = SetVerdict::AllValid;
    // Each database is named as soon as its check ends: one that hangs may take minutes, and the
    // run log shows meanwhile which ones are done, each at its own time.
    for (const auto& path : databasesOfSet()) {
        const engine::Validation validation = engine::validateDatabase(path);
        environment::ZapisMemo3("Проверка базы данных " + validation.database + ": " + verdictText(validation.outcome));
        switch (validation.outcome) {
        case Outcome::Valid:
            break;
        case Outcome::Damaged:
            reportWithBackup(validation, backup, environment::kDatabaseFailureEvent, "проверка",
                             "База данных повреждена");
            verdict = SetVerdict::Damaged;
            break;
        case Outcome::Unfinished:
            // A hang is what Firebird does on some damage, but it proves none: the database is named
            // with its backup for the administrator to check, and the run that installed it stands.
            reportWithBackup(validation, backup, environment::kDatabaseNotCheckedEvent, "проверка не закончена",
                             "Проверка базы данных не закончена");
            break;
        case Outcome::NotChecked:
            reportNotChecked(validation);
            break;
        }
        if (validation.outcome != Outcome::Valid && verdict == SetVerdict::AllValid) {
            verdict = SetVerdict::SomeNotChecked;
        }
    }
    return verdict;
}

} // namespace run
