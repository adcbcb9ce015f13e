#include "engine/DataModule.h"
#include "engine/EngineState.h"
#include "engine/ReadScope.h"
#include "engine/firebird/FbStatus.h"
#include "engine/firebird/SqlText.h"
#include "environment/RunLog.h"
#include "platform/Text.h"

namespace engine {

using platform::upperAscii;

bool TDM1::committedWrite(const std::function<void()>& statements) {
    // Until a statement of this write is sent, a failure is the starting of its transaction.
    m_statementUnderWay = "SET TRANSACTION";
    try {
        IBTrWrite.start();
        statements();
        IBQueryWrite.close();
        IBSqlWrite.close();
        IBTrWrite.commit();
        return true;
    } catch (const fb::FbError& error) {
        IBQueryWrite.close();
        IBSqlWrite.close();
        IBTrWrite.rollback();
        logFailure(m_statementUnderWay, error);
        if (error.kind() == fb::FailureKind::LockConflict) {
            environment::ZapisMemo3("База данных занята другим подключением: " + IBDatabase1.path());
        }
        return false;
    }
}

void TDM1::executeInWrite(std::vector<std::string> sql, std::vector<fb::SqlValue> params) {
    IBQueryWrite.close();
    m_statementUnderWay = fb::joinLines(sql);
    IBQueryWrite.SQL = std::move(sql);
    IBQueryWrite.Params = std::move(params);
    IBQueryWrite.execute();
    IBQueryWrite.close();
}

void TDM1::executeIgnoringError(std::vector<std::string> sql) {
    try {
        executeInWrite(std::move(sql));
    } catch (const fb::FbError&) {
        // The server undoes the failed statement alone; the transaction goes on.
    }
}

const fb::Query& TDM1::openInWrite(std::vector<std::string> sql, std::vector<fb::SqlValue> params) {
    IBQueryWrite.close();
    m_statementUnderWay = fb::joinLines(sql);
    IBQueryWrite.SQL = std::move(sql);
    IBQueryWrite.Params = std::move(params);
    IBQueryWrite.open();
    return IBQueryWrite;
}

bool TDM1::keyGeneratorExists(std::vector<std::string> sql, const std::string& table) {
    return openInWrite(std::move(sql), {"GEN_" + table}).fieldAsInteger(0) > 0;
}

bool TDM1::keyTriggerBelongsTo(std::vector<std::string> sql, const std::string& table, const std::string& column) {
    const auto& trigger = openInWrite(std::move(sql), {"BI_" + table});
    const std::string source = trigger.eof() ? std::string() : trigger.fieldAsString(0);
    return upperAscii(source).find(upperAscii(column)) != std::string::npos;
}

void TDM1::createKeyGenerator(const std::string& table, const std::string& column, std::int64_t start) {
    executeInWrite({"CREATE GENERATOR GEN_" + table});
    executeInWrite({"SET GENERATOR GEN_" + table + " TO " + std::to_string(start)});
    executeInWrite({"CREATE TRIGGER BI_" + table + " FOR " + table, "ACTIVE BEFORE INSERT POSITION 0", "AS", "BEGIN",
                    "IF (NEW." + column + " IS NULL) THEN NEW." + column + " = GEN_ID(GEN_" + table + ",1);", "END"});
}

void TDM1::ft_TableAdd(const std::string& NameTable, const std::string& sqlText, const std::string& genText,
                       int PositionGen) {
    fb::plainIdentifier(NameTable);
    if (!genText.empty()) {
        fb::plainIdentifier(genText);
    }
    if (control_Tablel(NameTable)) {
        inc_KolvoStep(1);
        return;
    }
    const std::string table = upperAscii(NameTable);
    // The whole column list is upper-cased, literals included.
    if (!committedWrite([&] { executeInWrite({"CREATE TABLE " + table + " (" + upperAscii(sqlText) + ")"}); })) {
        return;
    }
    if (genText.empty()) {
        inc_KolvoStep(1);
        return;
    }
    // A failure here leaves the new table in place without its key generator.
    if (committedWrite([&] { createKeyGenerator(table, upperAscii(genText), PositionGen); })) {
        inc_KolvoStep(1);
    }
}

void TDM1::ft_TableGeneratorAdd(const std::string& NameTable, const std::string& PoleGen, int PositionGen) {
    fb::plainIdentifier(NameTable);
    if (!platform::trimmed(PoleGen).empty()) {
        fb::plainIdentifier(PoleGen);
    }
    if (!control_Tablel(NameTable) || platform::trimmed(PoleGen).empty()) {
        inc_KolvoStep(1);
        return;
    }
    const std::string table = upperAscii(NameTable);
    const std::string column = upperAscii(PoleGen);
    const bool done = committedWrite([&] {
        if (keyGeneratorExists({"SELECT COUNT (*)", "FROM RDB$GENERATORS", "WHERE RDB$GENERATOR_NAME = :p0"}, table) &&
            keyTriggerBelongsTo({"SELECT RDB$TRIGGER_SOURCE", "FROM RDB$TRIGGERS", "WHERE RDB$TRIGGER_NAME = :p0"},
                                table, column)) {
            return;
        }
        // A generator whose trigger fills another column makes this fail: it is never replaced.
        createKeyGenerator(table, column, PositionGen);
    });
    if (done) {
        inc_KolvoStep(1);
    }
}

void TDM1::ft_TableDelete(const std::string& NameTable) {
    fb::plainIdentifier(NameTable);
    if (!control_Tablel(NameTable)) {
        inc_KolvoStep(1);
        return;
    }
    const std::string table = upperAscii(NameTable);
    const bool keyGone = committedWrite([&] {
        if (keyGeneratorExists({"SELECT COUNT (*)", "FROM RDB$GENERATORS", "WHERE RDB$GENERATOR_NAME = :p0"}, table)) {
            executeIgnoringError({"DROP TRIGGER BI_" + table});
            executeIgnoringError({"DROP GENERATOR GEN_" + table});
        }
    });
    if (keyGone && committedWrite([&] { executeInWrite({"DROP TABLE " + table}); })) {
        inc_KolvoStep(1);
    }
}

void TDM1::ft_TableIndexAdd(const std::string& NameTable, const std::string& NameColumn, const std::string& sUNIQUE) {
    fb::plainIdentifier(NameTable);
    fb::plainIdentifier(NameColumn);
    const std::string table = upperAscii(NameTable);
    const std::string column = upperAscii(NameColumn);
    const std::string index = table + "_" + column;
    std::int64_t existing = 0;
    try {
        ReadScope read(IBQueryRead, IBTrRead, OnFailure::Commit);
        IBQueryRead.SQL = {"SELECT Count (*)", "FROM RDB$INDICES", "WHERE RDB$INDEX_NAME = :p0"};
        IBQueryRead.Params = {index};
        IBQueryRead.open();
        existing = IBQueryRead.fieldAsInteger(0);
        read.finish();
    } catch (const fb::FbError&) {
        return;
    }
    // An index of that name counts as done whatever its columns or uniqueness.
    if (existing > 0) {
        inc_KolvoStep(1);
        return;
    }
    const bool created = committedWrite([&] {
        IBSqlWrite.close();
        IBSqlWrite.SQL = {"CREATE " + sUNIQUE + " INDEX " + index, "ON " + table, "(" + column + ")"};
        m_statementUnderWay = fb::joinLines(IBSqlWrite.SQL);
        IBSqlWrite.Params.clear();
        IBSqlWrite.execute();
    });
    if (created) {
        inc_KolvoStep(1);
    }
}

} // namespace engine
