#include "engine/DataModule.h"
#include "engine/EngineState.h"
#include "engine/ReadScope.h"
#include "engine/firebird/FbStatus.h"
#include "engine/firebird/SqlText.h"
#include "platform/Text.h"

namespace engine {

bool TDM1::control_Tablel(const std::string& NameTable) {
    return catalogueHas({"SELECT COUNT (*)", "FROM RDB$RELATIONS", "WHERE (RDB$RELATION_NAME = :p0)"},
                        {platform::upperAscii(NameTable)});
}

int TDM1::ft_TableReadRecordCount(const std::string& NameTable, const std::string& cWhere) {
    fb::plainIdentifier(NameTable);
    int result = 0;
    try {
        ReadScope read(IBQueryRead, IBTrRead, OnFailure::RollBack);
        IBQueryRead.SQL = {"SELECT COUNT (*)", "FROM " + NameTable};
        if (!cWhere.empty()) {
            IBQueryRead.SQL.push_back("WHERE " + cWhere);
        }
        IBQueryRead.Params.clear();
        IBQueryRead.open();
        result = static_cast<int>(IBQueryRead.fieldAsInteger(0));
        read.finish();
        inc_KolvoStep(1);
    } catch (const fb::FbError& error) {
        logFailure("SELECT COUNT (*) FROM " + NameTable + (cWhere.empty() ? "" : " WHERE " + cWhere), error);
    }
    return result;
}

int TDM1::ft_TableReadValueGenerator(const std::string& nameTable) {
    fb::plainIdentifier(nameTable);
    const std::string generator = "GEN_" + platform::upperAscii(nameTable);
    try {
        ReadScope read(IBQueryRead, IBTrRead, OnFailure::RollBack);
        IBQueryRead.SQL = {"SELECT COUNT(*)", "FROM RDB$GENERATORS", "WHERE RDB$GENERATOR_NAME = :p0"};
        IBQueryRead.Params = {generator};
        IBQueryRead.open();
        const auto count = IBQueryRead.fieldAsInteger(0);
        IBQueryRead.close();
        if (count == 0) {
            return -1;
        }
        IBQueryRead.SQL = {"SELECT", "GEN_ID (" + generator + ",0)", "FROM RDB$DATABASE"};
        IBQueryRead.Params.clear();
        IBQueryRead.open();
        const auto value = IBQueryRead.fieldAsInteger(0);
        read.finish();
        inc_KolvoStep(1);
        return static_cast<int>(value);
    } catch (const fb::FbError& error) {
        logFailure("GEN_ID (" + generator + ",0)", error);
        return -1;
    }
}

bool TDM1::ft_TableRowNULL(const std::string& NameTable, const std::string& cWHERE) {
    fb::plainIdentifier(NameTable);
    std::vector<std::string> sql = {"DELETE", "FROM " + NameTable};
    if (!cWHERE.empty()) {
        sql.push_back(cWHERE);
    }
    committedWrite([&] { executeInWrite(sql); });
    // Counted whether or not the rows went: callers rely on the fixed weight.
    inc_KolvoStep(1);
    return false;
}

} // namespace engine
