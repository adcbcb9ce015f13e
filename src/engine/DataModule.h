#pragma once

#include "engine/firebird/Connection.h"
#include "engine/firebird/Query.h"
#include "engine/firebird/Transaction.h"

#include <string>
#include <vector>

namespace engine {

// The data module: the one database connection with its read and write
// transactions and queries, and every operation the service packs build on.
// Operations never throw to their callers: they report through the step counter.
class TDM1 {
public:
    // Creating a module runs DataModuleCreate.
    TDM1();
    ~TDM1();
    TDM1(const TDM1&) = delete;
    TDM1& operator=(const TDM1&) = delete;

    // Session and version stamp.
    bool OpenDataBase(const std::string& name_Base);
    void CloseDataBase() noexcept;
    bool read_Vers_SP_Build(int& Vers, int& SP, int& BB);
    bool read_VersionServicePackBuild(const std::string& nameBase, int& Ver, int& SP, int& BB);
    bool control_Version(int Vers, int SP, int BB, int BB_New);
    void fw_Write_Version(int VV, int SP, int BB);
    int read_miniServicePackBuild(int& vbb);
    bool control_FileOrdersServer() const;
    bool control_Column(const std::string& NameTable, const std::string& ColName);

    // Catalogue probes.
    bool control_Tablel(const std::string& NameTable);
    int ft_TableReadRecordCount(const std::string& NameTable, const std::string& cWhere);
    int ft_TableReadValueGenerator(const std::string& nameTable);
    bool ft_TableRowNULL(const std::string& NameTable, const std::string& cWHERE);

    fb::Connection IBDatabase1;
    fb::Transaction IBTrRead;
    fb::Transaction IBTrWrite;
    fb::Query IBQueryRead;
    fb::Query IBQueryWrite;
    fb::Query IBSqlWrite;

private:
    void DataModuleCreate();
    void checkServerVersion();
    void removeTemporaryOrderFiles();
    bool databaseAnswers();
    // Runs a one-value reading query on IBQueryRead; the query is closed and
    // the read transaction committed whatever happens.
    std::int64_t readOneInteger(const std::vector<std::string>& sql);

    std::vector<std::string> m_loginLines;
};

// The module instance that exists at the moment, if any.
extern TDM1* DM1;

} // namespace engine
