#include "packs/KeptRows.h"

#include "engine/PackToolkit.h"
#include "engine/firebird/SqlText.h"
#include "engine/firebird/Statement.h"
#include "platform/Text.h"

namespace packs {
namespace {

// Runs the statements in one transaction and commits; a failure is rolled back and logged.
bool committed(engine::TDM1& dm, const std::vector<std::vector<std::string>>& statements) {
    try {
        for (const auto& lines : statements) {
            engine::fb::Statement(dm.IBTrWrite, lines).execute();
        }
        dm.IBTrWrite.commit();
        return true;
    } catch (const std::exception& error) {
        dm.IBTrWrite.rollback();
        dm.logFailure(statements.back().front(), error);
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
    const std::string firstColumn = columns.substr(0, columns.find(','));
    // While the table still has its old shape it holds the old rows itself, and a
    // copy left by a run cut short between making it and filling it is refilled.
    const bool oldShape = tableExists(dm, platform::upperAscii(table)) && dm.control_Column(table, firstColumn);
    if (tableExists(dm, copy)) {
        return !oldShape ||
               committed(dm, {{"DELETE FROM " + copy},
                              {"INSERT INTO " + copy + " (" + columns + ")", "SELECT " + columns + " FROM " + table}});
    }
    return committed(dm, {{"CREATE TABLE " + copy, "(" + copyColumns + ")"}}) &&
           committed(dm, {{"INSERT INTO " + copy + " (" + columns + ")", "SELECT " + columns + " FROM " + table}});
}

bool releaseRows(engine::TDM1& dm, const std::string& copy) {
    engine::fb::plainIdentifier(copy);
    return !tableExists(dm, copy) || committed(dm, {{"DROP TABLE " + copy}});
}

std::string oldRowsOf(engine::TDM1& dm, const std::string& table, const std::string& copy,
                      const std::string& oldColumn) {
    const bool oldShape = tableExists(dm, platform::upperAscii(table)) && dm.control_Column(table, oldColumn);
    return oldShape || !tableExists(dm, copy) ? table : copy;
}

} // namespace packs
