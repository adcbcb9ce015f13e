#include "engine/ColumnType.h"
#include "engine/DataModule.h"
#include "engine/EngineState.h"
#include "engine/ReadScope.h"
#include "engine/firebird/FbStatus.h"
#include "engine/firebird/SqlText.h"
#include "platform/Clock.h"
#include "platform/Text.h"
#include "platform/UserInterface.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <stdexcept>

namespace engine {

using platform::upperAscii;

namespace {

// RDB$FIELDS.RDB$FIELD_TYPE of the date and time types.
constexpr std::int64_t kDateType = 12;
constexpr std::int64_t kTimeType = 13;
constexpr std::int64_t kTimestampType = 35;

constexpr int kSecondsPerDay = 86400;
// Enough digits for every day from 01.01.0001 to 31.12.9999 around the base day.
constexpr std::size_t kMostDayDigits = 7;

// A moment as the program's callers write dates: a day and the seconds into it.
struct Moment {
    std::chrono::sys_days day;
    int seconds = 0;
};

constexpr std::chrono::sys_days kBaseDay{std::chrono::year{1899} / 12 / 30};

bool allDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

int toInt(std::string_view digits) {
    int value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return value;
}

// A day count from 30.12.1899; the fraction is the time of day, also for
// negative counts, where only the whole days count backwards.
std::optional<Moment> momentFromNumber(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        text.remove_prefix(1);
    }
    const auto separator = text.find_first_of(".,");
    const std::string_view whole = text.substr(0, separator);
    const std::string_view fraction =
        separator == std::string_view::npos ? std::string_view() : text.substr(separator + 1);
    if (!allDigits(whole) || whole.size() > kMostDayDigits ||
        (separator != std::string_view::npos && !allDigits(fraction))) {
        return std::nullopt;
    }
    double dayFraction = 0;
    if (!fraction.empty()) {
        const std::string decimal = "0." + std::string(fraction);
        std::from_chars(decimal.data(), decimal.data() + decimal.size(), dayFraction);
    }
    const int days = toInt(whole);
    const int seconds = std::min(static_cast<int>(std::lround(dayFraction * kSecondsPerDay)), kSecondsPerDay - 1);
    return Moment{kBaseDay + std::chrono::days{negative ? -days : days}, seconds};
}

// Firebird keeps years 1 to 9999 only.
bool inFirebirdRange(const Moment& moment) {
    const int year = static_cast<int>(std::chrono::year_month_day{moment.day}.year());
    return year >= 1 && year <= 9999;
}

fb::Date dateOf(const Moment& moment) {
    const std::chrono::year_month_day date{moment.day};
    return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day()))};
}

fb::Timestamp timestampOf(const Moment& moment) {
    const fb::Date date = dateOf(moment);
    return {{date.year, date.month, date.day, moment.seconds / 3600, moment.seconds / 60 % 60, moment.seconds % 60}};
}

fb::Time timeOf(const Moment& moment) {
    return {moment.seconds / 3600, moment.seconds / 60 % 60, moment.seconds % 60, 0};
}

// A day number becomes the date it counts from 30.12.1899 (the way the program's
// callers write dates as numbers); any other text goes to Firebird as it is.
std::optional<fb::SqlValue> convertedFor(std::int64_t fieldType, const std::string& cValue) {
    if (fieldType != kDateType && fieldType != kTimeType && fieldType != kTimestampType) {
        return fb::SqlValue{cValue};
    }
    const auto moment = momentFromNumber(cValue);
    if (!moment) {
        return fb::SqlValue{cValue};
    }
    if (!inFirebirdRange(*moment)) {
        return std::nullopt;
    }
    if (fieldType == kDateType) {
        return fb::SqlValue{dateOf(*moment)};
    }
    if (fieldType == kTimeType) {
        return fb::SqlValue{timeOf(*moment)};
    }
    return fb::SqlValue{timestampOf(*moment)};
}

} // namespace

std::optional<fb::SqlValue> TDM1::columnValue(const std::string& nameTable, const std::string& nameColumn,
                                              const std::string& cValue) {
    std::int64_t fieldType = 0;
    try {
        ReadScope read(IBQueryRead, IBTrRead, OnFailure::RollBack);
        IBQueryRead.SQL = {"SELECT F.RDB$FIELD_TYPE", "FROM RDB$RELATION_FIELDS R",
                           "JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = R.RDB$FIELD_SOURCE",
                           "WHERE R.RDB$RELATION_NAME = :p0 AND R.RDB$FIELD_NAME = :p1"};
        IBQueryRead.Params = {upperAscii(nameTable), upperAscii(nameColumn)};
        IBQueryRead.open();
        // No row: a missing column, which the update itself then reports.
        fieldType = IBQueryRead.eof() ? 0 : IBQueryRead.fieldAsInteger(0);
        read.finish();
    } catch (const fb::FbError&) {
        // An unknown type: the text goes to Firebird unconverted.
        fieldType = 0;
    }
    return convertedFor(fieldType, cValue);
}

void TDM1::fc_ColumnAdd(const std::string& NameTable, const std::string& ColName, const std::string& ColType,
                        int NumberPos) {
    fb::plainIdentifier(NameTable);
    fb::plainIdentifier(ColName);
    if (control_Column(NameTable, ColName)) {
        inc_KolvoStep(1);
        return;
    }
    std::string type = ColType;
    try {
        fc_ColumnType(type);
    } catch (const std::invalid_argument& error) {
        logFailure(fb::joinLines({"ALTER TABLE " + NameTable, "ADD " + ColName + " " + ColType}), error);
        return;
    }
    if (!committedWrite([&] { executeInWrite({"ALTER TABLE " + NameTable, "ADD " + ColName + " " + type}); })) {
        return;
    }
    // A failed move leaves the column at the end, which still counts as added.
    if (NumberPos >= 1) {
        fc_ColumnPereNumber(NameTable, ColName, NumberPos);
    }
    inc_KolvoStep(1);
}

void TDM1::fc_ColumnDelete(const std::string& NameTable, const std::string& ColName) {
    fb::plainIdentifier(NameTable);
    fb::plainIdentifier(ColName);
    if (control_Column(NameTable, ColName) && !committedWrite([&] {
            executeInWrite({"ALTER TABLE " + NameTable, "DROP " + ColName});
        })) {
        return;
    }
    inc_KolvoStep(1);
}

void TDM1::fc_ColumnPereName(const std::string& NameTable, const std::string& ColNameOld,
                             const std::string& ColNameNew) {
    fb::plainIdentifier(NameTable);
    fb::plainIdentifier(ColNameOld);
    fb::plainIdentifier(ColNameNew);
    if (!control_Column(NameTable, ColNameOld)) {
        inc_KolvoStep(1);
        return;
    }
    std::optional<std::int64_t> savedGenerator;
    if (!committedWrite([&] { savedGenerator = detachKeyGenerator(NameTable, ColNameOld); })) {
        return;
    }
    // A generator detached above stays dropped when the rename fails.
    if (!committedWrite([&] {
            executeInWrite({"ALTER TABLE " + NameTable, "ALTER COLUMN " + ColNameOld + " TO " + ColNameNew});
        })) {
        return;
    }
    if (!savedGenerator) {
        inc_KolvoStep(1);
        return;
    }
    if (committedWrite([&] { createKeyGenerator(upperAscii(NameTable), ColNameNew, *savedGenerator); })) {
        inc_KolvoStep(1);
    }
}

std::optional<std::int64_t> TDM1::detachKeyGenerator(const std::string& NameTable, const std::string& column) {
    const std::string table = upperAscii(NameTable);
    if (!keyGeneratorExists({"SELECT COUNT(*)", "FROM RDB$GENERATORS", "WHERE RDB$GENERATOR_NAME=:p0"}, table) ||
        !keyTriggerBelongsTo({"SELECT RDB$TRIGGER_SOURCE FROM RDB$TRIGGERS", "WHERE RDB$TRIGGER_NAME=:p0"}, table,
                             column)) {
        return std::nullopt;
    }
    const std::string readValue = "SELECT GEN_ID (GEN_" + table + ", 0) FROM RDB$DATABASE";
    std::int64_t saved = 0;
    try {
        saved = openInWrite({readValue}).fieldAsInteger(0);
    } catch (const fb::FbError&) {
        platform::ui().showMessage(IBDatabase1.path() + "\r\r" + readValue);
        // Going on from the highest key in use hands out no key twice.
        saved = openInWrite({"SELECT MAX(" + column + ")", "FROM " + NameTable}).fieldAsInteger(0);
    }
    executeIgnoringError({"DROP TRIGGER BI_" + table});
    executeIgnoringError({"DROP GENERATOR GEN_" + table});
    return saved;
}

void TDM1::fc_ColumnPereType(const std::string& NameTable, const std::string& ColName, const std::string& NewType) {
    fb::plainIdentifier(NameTable);
    fb::plainIdentifier(ColName);
    if (!control_Column(NameTable, ColName)) {
        inc_KolvoStep(1);
        return;
    }
    std::string type = NewType;
    // Left unguarded on purpose: an empty type reaches the caller.
    fc_ColumnType(type);
    if (committedWrite([&] {
            executeInWrite({"ALTER TABLE " + NameTable, "ALTER COLUMN " + ColName + " TYPE " + type});
        })) {
        inc_KolvoStep(1);
    }
}

void TDM1::fc_ColumnPereNumber(const std::string& NameTable, const std::string& ColName, int NumberPos) {
    fb::plainIdentifier(NameTable);
    fb::plainIdentifier(ColName);
    // Never counts a step: fc_ColumnAdd counts for it, and the packs expect no step from a direct call.
    if (!control_Column(NameTable, ColName)) {
        return;
    }
    committedWrite([&] {
        executeInWrite(
            {"ALTER TABLE " + NameTable, "ALTER COLUMN " + ColName, "POSITION " + std::to_string(NumberPos)});
    });
}

void TDM1::ft_TableWriteColumnValue(const std::string& nameTable, const std::string& nameColumn,
                                    const std::string& cValue, const std::string& cWHERE) {
    fb::plainIdentifier(nameTable);
    fb::plainIdentifier(nameColumn);
    std::vector<std::string> sql = {"UPDATE " + nameTable, "SET " + nameColumn + " = :p0"};
    if (!cWHERE.empty()) {
        sql.push_back(cWHERE);
    }
    const auto value = columnValue(nameTable, nameColumn, cValue);
    if (!value) {
        logFailure(fb::joinLines(sql),
                   std::out_of_range(cValue + " is a day number outside the years 1 to 9999 that Firebird keeps"));
        return;
    }
    if (committedWrite([&] { executeInWrite(sql, {*value}); })) {
        inc_KolvoStep(1);
    }
}

void TDM1::ft_TableReWriteColumn(const std::string& nameTable, const std::string& oldColumn,
                                 const std::string& newColumn, const std::string& cWHERE) {
    fb::plainIdentifier(nameTable);
    fb::plainIdentifier(oldColumn);
    fb::plainIdentifier(newColumn);
    // The first column named is the source, the second the target.
    std::vector<std::string> sql = {"UPDATE " + nameTable, "SET " + newColumn + " = " + oldColumn};
    if (!cWHERE.empty()) {
        sql.push_back(cWHERE);
    }
    if (committedWrite([&] { executeInWrite(sql); })) {
        inc_KolvoStep(1);
    }
}

} // namespace engine
