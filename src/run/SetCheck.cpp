#include "run/SetCheck.h"

#include "engine/DatabaseCheck.h"
#include "engine/DatabaseSlots.h"
#include "environment/EventLog.h"
#include "environment/RunLog.h"
#include "platform/FileSystem.h"
#include "platform/UserInterface.h"

namespace run {

bool control_SetOpens() {
    for (const engine::Slot slot : engine::kJournalOrder) {
        const std::string path = engine::slotPath(slot);
        if (!engine::slotPresent(slot) || !platform::fileExists(path)) {
            continue;
        }
        const std::string problem = engine::databaseProblem(path);
        if (problem.empty()) {
            continue;
        }
        environment::ZapisMemo3("База данных не открывается: " + path + ": " + problem);
        environment::ZapisMemo3("Ничего не изменено");
        environment::fw_Write_Register(environment::kDatabaseFailureEvent, path + ": " + problem);
        platform::ui().showMessage("База данных не открывается:\r" + path + "\r\r" + problem);
        return false;
    }
    return true;
}

} // namespace run
