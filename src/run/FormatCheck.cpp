#include "run/FormatCheck.h"

#include "engine/DatabaseSlots.h"
#include "engine/ReadingWrappers.h"
#include "engine/firebird/FbStatus.h"
#include "environment/DatabasePassword.h"
#include "environment/EventLog.h"
#include "environment/KvSetting.h"
#include "environment/RunLog.h"
#include "packs/PackWrappers.h"
#include "platform/FileSystem.h"
#include "platform/UserInterface.h"
#include "run/Minima.h"

namespace run {
namespace {

// The new formats that the packs ahead of a database give each of its tables.
std::map<std::string, int> alterationsAhead(engine::Slot slot, int Ver, int SP, int BB) {
    std::map<std::string, int> alterations;
    for (const auto& pack : packs::allPacks()) {
        if (!packAhead(pack.number, Ver, SP, BB)) {
            continue;
        }
        const auto of = pack.reformats.find(slot);
        if (of == pack.reformats.end()) {
            continue;
        }
        for (const auto& [table, count] : of->second) {
            alterations[table] += count;
        }
    }
    return alterations;
}

// gbak gives the restored database to the user who restores it, and a run attaches as the
// installation's user, who must own the database to freeze it for the backup: both steps run
// as that user.
std::string asOwner() {
    return environment::NumberFirm < 1 ? "" : " -user " + environment::databaseUser(environment::NumberFirm);
}

std::string remedy(const TableHeadroom& table) {
    return "Сделайте резервную копию базы данных программой gbak и восстановите её из этой копии "
           "(gbak -b" +
           asOwner() + " " + table.database + " копия.fbk, затем gbak -rep" + asOwner() + " копия.fbk " +
           table.database + "): восстановленная база начинает каждую таблицу с одного формата.";
}

} // namespace

bool packAhead(int N, int Ver, int SP, int BB) {
    const int major = majorVersion(Ver);
    if (major == 7) {
        return true;
    }
    return major == 8 && SP == 0 && N > BB;
}

std::vector<TableHeadroom> tableHeadroom() {
    std::vector<TableHeadroom> headroom;
    for (const engine::Slot slot : engine::kJournalOrder) {
        const std::string path = engine::slotPath(slot);
        if (!engine::slotPresent(slot) || !platform::fileExists(path)) {
            continue;
        }
        int Ver = 0, SP = 0, BB = 0;
        if (!engine::dm_read_VersionServicePackBuild(path, Ver, SP, BB)) {
            continue;
        }
        if (alterationsAhead(slot, Ver, SP, BB).empty()) {
            continue;
        }
        std::map<std::string, int> formats;
        try {
            formats = engine::readTableFormats(path);
        } catch (const engine::fb::FbError&) {
            continue;
        }
        const auto ofDatabase = headroomOf(slot, path, Ver, SP, BB, formats);
        headroom.insert(headroom.end(), ofDatabase.begin(), ofDatabase.end());
    }
    return headroom;
}

std::vector<TableHeadroom> headroomOf(engine::Slot slot, const std::string& path, int Ver, int SP, int BB,
                                      const std::map<std::string, int>& formats) {
    std::vector<TableHeadroom> headroom;
    for (const auto& [table, count] : alterationsAhead(slot, Ver, SP, BB)) {
        const auto at = formats.find(table);
        if (at != formats.end()) {
            headroom.push_back({path, table, at->second, count});
        }
    }
    return headroom;
}

bool control_FormatLimit() {
    for (const auto& table : tableHeadroom()) {
        if (!table.exceedsLimit()) {
            continue;
        }
        const std::string counts = "форматов записи " + std::to_string(table.formats) + ", обновление добавит " +
                                   std::to_string(table.alterations) + ", Firebird допускает " +
                                   std::to_string(engine::kMaxTableFormats);
        environment::ZapisMemo3("Таблица " + table.table + " базы данных " + table.database +
                                " не выдержит обновления: " + counts);
        environment::ZapisMemo3(remedy(table));
        environment::ZapisMemo3("Ничего не изменено");
        environment::fw_Write_Register(environment::kDatabaseFailureEvent,
                                       table.database + ": таблица " + table.table + ": " + counts);
        platform::ui().showMessage("Обновление невозможно: таблица " + table.table + " базы данных\r" + table.database +
                                   "\rизменялась слишком много раз (" + counts + ").\r\r" + remedy(table));
        return false;
    }
    return true;
}

} // namespace run
