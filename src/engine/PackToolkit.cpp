#include "engine/PackToolkit.h"

#include "engine/PackFrame.h"
#include "engine/firebird/FbStatus.h"
#include "engine/firebird/Query.h"
#include "engine/firebird/SqlText.h"
#include "platform/Text.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace engine {
namespace {

constexpr size_t kLongestName = 31;
// A VARCHAR read in place of a text blob: its text in the connection's UTF-8
// must stay within what a field may carry.
constexpr std::int64_t kLongestTextRead = 8191;
constexpr std::int64_t kBlobType = 261;
constexpr std::int64_t kTextSubType = 1;
// Parameter sets a per-row write sends in one round trip to a server.
constexpr size_t kRunsPerTrip = 64;

// A name as the catalogue keeps it: upper-cased, without the blanks at its end.
std::string catalogueName(const std::string& name) {
    std::string upper = platform::upperAscii(fb::plainIdentifier(name));
    upper.erase(upper.find_last_not_of(' ') + 1);
    return upper;
}

// A statement of the schema in a write transaction of its own; a failure is
// rolled back and logged, and the answer is false.
bool defineInOwnTransaction(TDM1& dm, const std::string& statement) {
    try {
        {
            fb::Statement definition(dm.IBTrWrite, {statement});
            definition.execute();
        }
        dm.IBTrWrite.commit();
        return true;
    } catch (const std::exception& error) {
        dm.IBTrWrite.rollback();
        dm.logFailure(statement, error);
        return false;
    }
}

bool indexNamed(TDM1& dm, const std::string& index) {
    const auto count =
        readInteger(dm, dm.IBTrRead, {"SELECT COUNT(*)", "FROM RDB$INDICES", "WHERE RDB$INDEX_NAME = :p0"},
                    OnFailure::RollBack, {index});
    return count && *count > 0;
}

// An active index of the table, other than `except`, whose first column is `column`.
bool otherIndexLeadsWith(TDM1& dm, const std::string& table, const std::string& column, const std::string& except) {
    const auto count = readInteger(
        dm, dm.IBTrRead,
        {"SELECT COUNT(*)", "FROM RDB$INDICES I", "JOIN RDB$INDEX_SEGMENTS S ON S.RDB$INDEX_NAME = I.RDB$INDEX_NAME",
         "WHERE I.RDB$RELATION_NAME = :p0 AND S.RDB$FIELD_NAME = :p1",
         "AND S.RDB$FIELD_POSITION = 0 AND COALESCE(I.RDB$INDEX_INACTIVE, 0) = 0", "AND I.RDB$INDEX_NAME <> :p2"},
        OnFailure::RollBack, {table, column, except});
    return count && *count > 0;
}

} // namespace

bool readRows(TDM1& dm, fb::Transaction& transaction, const std::vector<std::string>& lines,
              const std::function<void(const Row&)>& take, OnFailure onFailure,
              const std::vector<fb::SqlValue>& params) {
    try {
        {
            fb::Statement statement(transaction, lines);
            statement.open(params);
            while (statement.fetch()) {
                take(statement.row());
            }
        }
        transaction.commit();
        return true;
    } catch (const std::exception& error) {
        endAfterFailure(transaction, onFailure);
        dm.logFailure(fb::joinLines(lines), error);
        return false;
    }
}

bool writeRows(TDM1& dm, const std::vector<std::string>& lines, const std::function<void(fb::Statement&)>& body,
               OnFailure onFailure) {
    try {
        {
            fb::Statement statement(dm.IBTrWrite, lines);
            if (speedUps() && dm.IBTrWrite.connection().remote()) {
                statement.gatherRuns(kRunsPerTrip);
            }
            body(statement);
            statement.sendGathered();
        }
        dm.IBTrWrite.commit();
        return true;
    } catch (const std::exception& error) {
        endAfterFailure(dm.IBTrWrite, onFailure);
        gauge2_Hide();
        dm.logFailure(fb::joinLines(lines), error);
        return false;
    }
}

std::optional<std::int64_t> readInteger(TDM1& dm, fb::Transaction& transaction, const std::vector<std::string>& lines,
                                        OnFailure onFailure, const std::vector<fb::SqlValue>& params) {
    std::optional<std::int64_t> value;
    const bool read = readRows(
        dm, transaction, lines,
        [&](const Row& row) {
            if (!value) {
                value = integerField(row, 0);
            }
        },
        onFailure, params);
    if (!read) {
        return std::nullopt;
    }
    return value.value_or(0);
}

bool readCountedRows(TDM1& dm, const std::string& table, const std::string& condition,
                     const std::vector<std::string>& lines, const std::function<void(const Row&)>& take) {
    return dm.ft_TableReadRecordCount(table, condition) <= 0 ||
           readRows(dm, dm.IBTrRead, lines, take, OnFailure::Commit);
}

bool speedUps() {
    const char* literal = std::getenv("ZURUZOD_LITERAL_STATEMENTS");
    return literal == nullptr || std::string(literal) != "1";
}

std::string temporaryIndexName(const std::string& table, const std::string& column) {
    const std::string t = catalogueName(table);
    const std::string c = catalogueName(column);
    std::string name = "TMP_" + t + "_" + c;
    if (name.size() <= kLongestName) {
        return name;
    }
    // FNV-1a: the same table and column give the same name in every run.
    std::uint32_t digest = 2166136261u;
    for (const char ch : t + "." + c) {
        digest = (digest ^ static_cast<unsigned char>(ch)) * 16777619u;
    }
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08X", static_cast<unsigned>(digest));
    return "TMP_" + std::string(hex);
}

bool writeRowsFilteredBy(TDM1& dm, const std::string& table, const std::string& column,
                         const std::vector<std::string>& lines, const std::function<void(fb::Statement&)>& body,
                         OnFailure onFailure) {
    const std::string index = temporaryIndexName(table, column);
    bool indexed = indexNamed(dm, index);
    if (indexed && !speedUps()) {
        indexed = !defineInOwnTransaction(dm, "DROP INDEX " + index);
    }
    if (!indexed && speedUps() && !otherIndexLeadsWith(dm, catalogueName(table), catalogueName(column), index)) {
        // Without the index the write is only slower, so a refusal is no reason to stop.
        indexed = defineInOwnTransaction(dm, "CREATE INDEX " + index + " ON " + catalogueName(table) + " (" +
                                                 catalogueName(column) + ")");
    }
    const bool written = writeRows(dm, lines, body, onFailure);
    if (indexed) {
        defineInOwnTransaction(dm, "DROP INDEX " + index);
    }
    return written;
}

std::string textColumnForReading(TDM1& dm, const std::string& table, const std::string& column) {
    if (!speedUps()) {
        return column;
    }
    std::vector<Row> found;
    const bool described =
        readRows(dm, dm.IBTrRead,
                 {"SELECT F.RDB$FIELD_TYPE, F.RDB$FIELD_SUB_TYPE, TRIM(C.RDB$CHARACTER_SET_NAME)",
                  "FROM RDB$RELATION_FIELDS R", "JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = R.RDB$FIELD_SOURCE",
                  "LEFT JOIN RDB$CHARACTER_SETS C ON C.RDB$CHARACTER_SET_ID = F.RDB$CHARACTER_SET_ID",
                  "WHERE R.RDB$RELATION_NAME = :p0 AND R.RDB$FIELD_NAME = :p1"},
                 [&](const Row& row) { found.push_back(row); }, OnFailure::RollBack,
                 {catalogueName(table), catalogueName(column)});
    if (!described || found.size() != 1 || integerField(found[0], 0) != kBlobType ||
        integerField(found[0], 1) != kTextSubType) {
        return column;
    }
    const std::string characterSet = textField(found[0], 2);
    // Values in UTF-8, or without a character set, need no conversion.
    if (characterSet.empty() || characterSet == "UTF8" || characterSet == "NONE" || characterSet == "OCTETS") {
        return column;
    }
    const auto longest = readInteger(
        dm, dm.IBTrRead, {"SELECT MAX(OCTET_LENGTH(" + catalogueName(column) + "))", "FROM " + catalogueName(table)},
        OnFailure::RollBack);
    if (!longest || *longest > kLongestTextRead) {
        return column;
    }
    // A character takes at least one byte, so the longest value in bytes bounds it in characters.
    return "CAST(" + catalogueName(column) + " AS VARCHAR(" + std::to_string(std::max<std::int64_t>(*longest, 1)) +
           ") CHARACTER SET " + fb::plainIdentifier(characterSet) + ")";
}

std::int64_t integerField(const Row& row, size_t index) {
    return fb::integerOf(row.at(index));
}

std::string textField(const Row& row, size_t index) {
    return fb::toText(row.at(index));
}

} // namespace engine
