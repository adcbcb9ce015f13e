#pragma once

#include "engine/DatabaseSlots.h"
#include "engine/firebird/Connection.h"
#include "engine/firebird/Query.h"
#include "engine/firebird/Transaction.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <set>
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
    // Why the last OpenDataBase of an existing file failed, in words for the user; empty after a success.
    const std::string& openFailure() const { return m_openFailure; }
    // Tells the run log and the event log that an existing database would not open, and why.
    void reportOpenFailure(const std::string& path) noexcept;
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

    // Table operations.
    void ft_TableAdd(const std::string& NameTable, const std::string& sqlText, const std::string& genText,
                     int PositionGen);
    void ft_TableGeneratorAdd(const std::string& NameTable, const std::string& PoleGen, int PositionGen);
    void ft_TableDelete(const std::string& NameTable);
    void ft_TableIndexAdd(const std::string& NameTable, const std::string& NameColumn, const std::string& sUNIQUE);

    // Column operations.
    void fc_ColumnAdd(const std::string& NameTable, const std::string& ColName, const std::string& ColType,
                      int NumberPos);
    void fc_ColumnDelete(const std::string& NameTable, const std::string& ColName);
    void fc_ColumnPereName(const std::string& NameTable, const std::string& ColNameOld, const std::string& ColNameNew);
    // Throws std::invalid_argument for an empty type, the one failure that reaches the caller.
    void fc_ColumnPereType(const std::string& NameTable, const std::string& ColName, const std::string& NewType);
    void fc_ColumnPereNumber(const std::string& NameTable, const std::string& ColName, int NumberPos);
    void ft_TableWriteColumnValue(const std::string& nameTable, const std::string& nameColumn,
                                  const std::string& cValue, const std::string& cWHERE);
    void ft_TableReWriteColumn(const std::string& nameTable, const std::string& oldColumn, const std::string& newColumn,
                               const std::string& cWHERE);

    // Upgrade journal. It stamps only the databases that the running pack processed: one it
    // skipped (another stamp, or not there) keeps its stamp, so that no database is stamped
    // with changes it never received.
    void markProcessed(Slot slot) { m_processed.insert(slot); }
    bool processed(Slot slot) const { return m_processed.contains(slot); }
    void fw_Write_ServicePack_Log(int SP, int BB);
    void fw_Write_Log(int SP, int BB);
    void fw_Write_Log_Error(int SP, int BB, const std::string& cMsgError);
    bool fw_Write_Result(int sp, int build, int KolvoSP);

    fb::Connection IBDatabase1;
    fb::Transaction IBTrRead;
    fb::Transaction IBTrWrite;
    fb::Query IBQueryRead;
    fb::Query IBQueryWrite;
    fb::Query IBSqlWrite;

    // The write side of the engine operations: runs the statements in IBTrWrite
    // and commits them; on a failure rolls them back, writes the statement and
    // Firebird's text to the event log, and answers false, so that the caller
    // leaves its step uncounted.
    bool committedWrite(const std::function<void()>& statements);
    // Writes a failed statement of the open database to the event log; the log's own failure is not the caller's.
    void logFailure(const std::string& statement, const std::exception& error) noexcept;

private:
    void DataModuleCreate();
    void checkServerVersion();
    void removeTemporaryOrderFiles();
    bool databaseAnswers();
    // Runs a one-value reading query on IBQueryRead; the query is closed and
    // the read transaction committed whatever happens.
    std::int64_t readOneInteger(const std::vector<std::string>& sql);
    // A catalogue question: the count the statement reads is above 0. Never fails: an
    // unanswerable question is "absent".
    bool catalogueHas(std::vector<std::string> sql, std::vector<fb::SqlValue> params);

    void executeInWrite(std::vector<std::string> sql, std::vector<fb::SqlValue> params = {});
    // For drops of objects that may legitimately be missing.
    void executeIgnoringError(std::vector<std::string> sql);
    // Opens a reading statement on IBQueryWrite, inside the write transaction.
    const fb::Query& openInWrite(std::vector<std::string> sql, std::vector<fb::SqlValue> params = {});
    // Key-generator probes in the write transaction; each operation passes its own statement.
    bool keyGeneratorExists(std::vector<std::string> sql, const std::string& table);
    // The trigger BI_<table> belongs to a column when its source mentions the column.
    bool keyTriggerBelongsTo(std::vector<std::string> sql, const std::string& table, const std::string& column);
    // Generator GEN_<table> set to `start` and trigger BI_<table> filling `column`;
    // the caller commits or rolls back all of it together.
    void createKeyGenerator(const std::string& table, const std::string& column, std::int64_t start);
    // Drops the key generator and trigger of a table when they serve `column`
    // and answers the generator's value then, to re-create it after a rename.
    std::optional<std::int64_t> detachKeyGenerator(const std::string& NameTable, const std::string& column);
    // The value ft_TableWriteColumnValue binds: a day number converted for a
    // date or time column, any other text as it is for Firebird to convert;
    // empty when a day number lies outside the dates Firebird keeps.
    std::optional<fb::SqlValue> columnValue(const std::string& nameTable, const std::string& nameColumn,
                                            const std::string& cValue);
    // Which databases a walk over the slots writes: the stamps go only where the pack
    // processed the database; a failure row goes wherever the file is there.
    enum class SlotChoice { Processed, Present };
    // Visits the nine database slots in their fixed order; a slot that is not chosen counts
    // one step instead of being written; a processed one that no longer opens counts
    // nothing, so the pack fails.
    void walkDatabaseSlots(const std::function<void()>& writeSlot, SlotChoice choice);
    void insertJournalRow(const std::string& text);

    std::vector<std::string> m_loginLines;
    std::string m_openFailure;
    std::set<Slot> m_processed;
    // The text of the write under way, for the event log when it fails.
    std::string m_statementUnderWay;
};

// The module instance that exists at the moment, if any.
extern TDM1* DM1;

} // namespace engine
