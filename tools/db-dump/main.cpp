// Prints a database's tables, their columns and their rows in a stable order, so that two
// databases can be compared with diff: db-dump DATABASE [USER]. Columns that differ from
// run to run by nature (times, and GUIDs that each run generates) are printed only as there or not.
// db-dump --count DATABASE [USER] prints only the number of rows of all its tables together.
#include "engine/firebird/Connection.h"
#include "engine/firebird/FbStatus.h"
#include "engine/firebird/Query.h"
#include "engine/firebird/Transaction.h"

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <string>
#include <vector>

namespace {

using engine::fb::Query;

struct Column {
    std::string name;
    bool varies; // a time or a generated GUID
};

std::string trimmed(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

std::vector<std::string> tables(engine::fb::Transaction& read) {
    Query query(read);
    query.SQL = {"SELECT RDB$RELATION_NAME FROM RDB$RELATIONS",
                 "WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 AND RDB$VIEW_BLR IS NULL ORDER BY 1"};
    std::vector<std::string> names;
    for (query.open(); !query.eof(); query.next()) {
        names.push_back(trimmed(query.fieldAsString(0)));
    }
    return names;
}

std::vector<Column> columns(engine::fb::Transaction& read, const std::string& table) {
    Query query(read);
    query.SQL = {"SELECT R.RDB$FIELD_NAME, F.RDB$FIELD_TYPE, F.RDB$FIELD_LENGTH FROM RDB$RELATION_FIELDS R",
                 "JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = R.RDB$FIELD_SOURCE",
                 "WHERE R.RDB$RELATION_NAME = :p0 ORDER BY R.RDB$FIELD_POSITION, 1"};
    query.Params = {table};
    std::vector<Column> result;
    for (query.open(); !query.eof(); query.next()) {
        const std::string name = trimmed(query.fieldAsString(0));
        const auto type = query.fieldAsInteger(1);
        const bool timestamp = type == 35 || type == 13;
        const bool guid = name.find("GUID") != std::string::npos;
        result.push_back({name, timestamp || guid});
    }
    return result;
}

void dumpTable(engine::fb::Transaction& read, const std::string& table) {
    const std::vector<Column> cols = columns(read, table);
    std::cout << "table " << table << ":";
    std::string select;
    for (const auto& column : cols) {
        std::cout << ' ' << column.name << (column.varies ? "(varies)" : "");
        select += (select.empty() ? "" : ", ") + column.name;
    }
    std::cout << '\n';
    if (select.empty()) {
        return;
    }
    Query query(read);
    query.SQL = {"SELECT " + select + " FROM " + table};
    std::vector<std::string> rows;
    for (query.open(); !query.eof(); query.next()) {
        std::string row;
        for (size_t i = 0; i < query.fieldCount(); ++i) {
            const bool null = engine::fb::isNull(query.field(i));
            // A value that differs by nature still counts by being there or not.
            row += (i ? "|" : "") + (null             ? std::string("<null>")
                                     : cols[i].varies ? std::string("<set>")
                                                      : query.fieldAsString(i));
        }
        rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    for (const auto& row : rows) {
        std::cout << "  " << row << '\n';
    }
}

std::int64_t rowCount(engine::fb::Transaction& read, const std::string& table) {
    Query query(read);
    query.SQL = {"SELECT COUNT(*) FROM \"" + table + "\""};
    query.open();
    return query.fieldAsInteger(0);
}

} // namespace

int main(int argc, char** argv) {
    const bool countOnly = argc > 1 && std::string(argv[1]) == "--count";
    if (countOnly) {
        --argc;
        ++argv;
    }
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: db-dump [--count] DATABASE [USER]" << std::endl;
        return 2;
    }
    try {
        engine::fb::Connection connection;
        connection.attach(argv[1], argc == 3 ? std::vector<std::string>{std::string("user_name=") + argv[2]}
                                             : std::vector<std::string>{});
        engine::fb::Transaction read(connection, engine::fb::Transaction::readParameters());
        std::int64_t rows = 0;
        for (const auto& table : tables(read)) {
            if (countOnly) {
                rows += rowCount(read, table);
            } else {
                dumpTable(read, table);
            }
        }
        if (countOnly) {
            std::cout << rows << '\n';
        }
        read.commit();
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "db-dump: " << argv[1] << ": " << error.what() << std::endl;
        return 1;
    }
}
