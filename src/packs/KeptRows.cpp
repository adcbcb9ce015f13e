#include "packs/KeptRows.h"

#include "engine/PackToolkit.h"
#include "engine/firebird/SqlText.h"
#include "engine/firebird/Statement.h"

namespace packs {
namespace {

bool committed(engine::TDM1& dm, const std::vector<std::string>& lines) {
    try {
        engine::fb::Statement(dm.IBTrWrite, lines).execute();
        dm.IBTrWrite.commit();
        return true;
    } catch (const std::exception& error) {
        dm.IBTrWrite.rollback();
        dm.logFailure(lines.front(), error);
        return false;
    }
}

} // namespace

bool tableExists(engine::TDM1& dm, const std::string& table) {
    const auto count =
        engine::readInteger(dm, dm.IBTrRead, {"SELECT COUNT(*)", "FROM RDB$RELATIONS", "WHERE RDB$RELATION_NAME = :p0"},
                            engine::OnFailure::Commit, {engine::fb::SqlValue(table)});
    return count && *count > 0;
}

bool keepRows(engine::TDM1& dm, const std::string& table, const std::string& copy, const std::string& columns,
              const std::string& copyColumns) {
    engine::fb::plainIdentifier(table);
    engine::fb::plainIdentifier(copy);
    if (tableExists(dm, copy)) {
        return true;
    }
    return committed(dm, {"CREATE TABLE " + copy, "(" + copyColumns + ")"}) &&
           committed(dm, {"INSERT INTO " + copy + " (" + columns + ")", "SELECT " + columns + " FROM " + table});
}

bool releaseRows(engine::TDM1& dm, const std::string& copy) {
    engine::fb::plainIdentifier(copy);
    return !tableExists(dm, copy) || committed(dm, {"DROP TABLE " + copy});
}

std::string oldRowsOf(engine::TDM1& dm, const std::string& table, const std::string& copy) {
    return tableExists(dm, copy) ? copy : table;
}

} // namespace packs
