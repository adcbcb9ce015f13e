#pragma once

#include "engine/DataModule.h"
#include "engine/EngineState.h"
#include "engine/PackToolkit.h"
#include "platform/FileSystem.h"
#include "support/ChainInstallation.h"
#include "support/ScriptedUserInterface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace pack_testing {

// Reads one database through a data module of its own.
class Reader {
public:
    explicit Reader(const std::string& database) : m_database(database), m_saved(engine::KolvoStep) {
        EXPECT_TRUE(m_module.OpenDataBase(database)) << database;
    }
    ~Reader() { engine::KolvoStep = m_saved; }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    // Every row a statement reads, each as its fields' texts joined by "|";
    // NULL reads as "<null>". A read that fails fails the test.
    std::vector<std::string> rows(const std::string& select, const std::vector<engine::fb::SqlValue>& params = {}) {
        std::vector<std::string> result;
        const bool read = engine::readRows(
            m_module, m_module.IBTrRead, {select},
            [&](const engine::Row& row) {
                std::string line;
                for (size_t i = 0; i < row.size(); ++i) {
                    line += (i ? "|" : "") + (engine::fb::isNull(row[i]) ? "<null>" : engine::fb::toText(row[i]));
                }
                result.push_back(line);
            },
            engine::OnFailure::RollBack, params);
        EXPECT_TRUE(read) << m_database << ": " << select;
        return result;
    }

    std::string value(const std::string& select, const std::vector<engine::fb::SqlValue>& params = {}) {
        const auto read = rows(select, params);
        return read.empty() ? "<none>" : read.front();
    }
    bool hasColumn(const std::string& table, const std::string& column) {
        return value("SELECT COUNT(*) FROM RDB$RELATION_FIELDS WHERE RDB$RELATION_NAME = UPPER(:p0) AND "
                     "RDB$FIELD_NAME = UPPER(:p1)",
                     {table, column}) != "0";
    }
    bool hasTable(const std::string& table) {
        return value("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = UPPER(:p0)", {table}) != "0";
    }

private:
    std::string m_database;
    int m_saved;
    engine::TDM1 m_module;
};

// The fixture of a pack's tests: an installation taken through the packs up to
// `ThroughPack`, the one the pack under test starts from, with an interface of its own.
template <int ThroughPack> class PackTest : public ::testing::Test {
protected:
    std::string db(const std::string& name) const { return chain.database(name); }
    void sql(const std::string& name, const std::string& script) { tools::runScript(db(name), 12, script); }

    testing_support::ScriptedUserInterface ui;
    testing_support::ChainInstallation chain{ThroughPack};
};

inline std::vector<std::string> rows(const std::string& database, const std::string& select,
                                     const std::vector<engine::fb::SqlValue>& params = {}) {
    return Reader(database).rows(select, params);
}

inline std::vector<std::string> sorted(std::vector<std::string> lines) {
    std::sort(lines.begin(), lines.end());
    return lines;
}

// The one value a statement reads, or "<none>" when it reads no row.
inline std::string value(const std::string& database, const std::string& select,
                         const std::vector<engine::fb::SqlValue>& params = {}) {
    return Reader(database).value(select, params);
}

inline std::tuple<int, int, int> stampOf(const std::string& database) {
    const auto stamp = rows(database, "SELECT Version, ServicePack, Build FROM kv_Setting");
    if (stamp.size() != 1) {
        return {-1, -1, -1};
    }
    int v = -1, sp = -1, bb = -1;
    std::sscanf(stamp.front().c_str(), "%d|%d|%d", &v, &sp, &bb);
    return {v, sp, bb};
}

inline bool hasColumn(const std::string& database, const std::string& table, const std::string& column) {
    return Reader(database).hasColumn(table, column);
}

inline bool hasTable(const std::string& database, const std::string& table) {
    return Reader(database).hasTable(table);
}

// The names of the databases of a version-8 installation that exist.
inline std::vector<std::string> presentDatabases(const testing_support::TestInstallation& installation) {
    std::vector<std::string> present;
    for (const auto& name : tools::databaseNames(tools::Release::V8)) {
        if (platform::fileExists(installation.database(name))) {
            present.push_back(name);
        }
    }
    return present;
}

// What a database holds, for comparing two of them: the rows of every user
// table in a fixed order, each column by name; the journal's times and the
// columns named in `unstable` are written as whether they hold a value.
inline std::vector<std::string> contentsOf(const std::string& database,
                                           const std::vector<std::string>& unstable = {"UTIME"}) {
    std::vector<std::string> contents;
    Reader reader(database);
    const auto tables = reader.rows("SELECT TRIM(RDB$RELATION_NAME) FROM RDB$RELATIONS WHERE "
                                    "COALESCE(RDB$SYSTEM_FLAG, 0) = 0 ORDER BY 1");
    for (const auto& table : tables) {
        const auto columns =
            reader.rows("SELECT TRIM(RDB$FIELD_NAME) FROM RDB$RELATION_FIELDS WHERE RDB$RELATION_NAME = :p0 "
                        "ORDER BY RDB$FIELD_POSITION, RDB$FIELD_NAME",
                        {table});
        std::string select;
        for (const auto& column : columns) {
            const bool hide = std::find(unstable.begin(), unstable.end(), column) != unstable.end();
            select += (select.empty() ? "" : ", ") + (hide ? "IIF(" + column + " IS NULL, 'null', 'set')" : column);
        }
        contents.push_back("table " + table + ": " + std::to_string(columns.size()) + " columns");
        auto tableRows = reader.rows("SELECT " + select + " FROM " + table);
        std::sort(tableRows.begin(), tableRows.end());
        for (auto& row : tableRows) {
            contents.push_back(table + ": " + row);
        }
    }
    for (const auto& index : reader.rows("SELECT TRIM(RDB$INDEX_NAME) FROM RDB$INDICES WHERE "
                                         "COALESCE(RDB$SYSTEM_FLAG, 0) = 0 ORDER BY 1")) {
        contents.push_back("index " + index);
    }
    return contents;
}

} // namespace pack_testing
