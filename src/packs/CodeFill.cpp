#include "packs/CodeFill.h"

#include "engine/EngineState.h"
#include "engine/PackToolkit.h"
#include "engine/firebird/SqlText.h"
#include "platform/Text.h"

namespace packs {
namespace {

constexpr std::int64_t kCharType = 14;
constexpr std::int64_t kVarcharType = 37;
constexpr std::int64_t kNoCharacterSet = 0;
constexpr std::int64_t kOctets = 1;

// How long a value of a text column can be: in characters, or in bytes when
// the column has no character set.
struct Longest {
    std::int64_t length = 0;
    bool inBytes = false;
};

// None when the column is no text or the catalogue cannot tell.
std::optional<Longest> longestValue(engine::TDM1& dm, const std::string& table, const std::string& column) {
    std::optional<Longest> longest;
    engine::readRows(dm, dm.IBTrRead,
                     {"SELECT F.RDB$FIELD_TYPE, F.RDB$CHARACTER_SET_ID, F.RDB$CHARACTER_LENGTH, F.RDB$FIELD_LENGTH",
                      "FROM RDB$RELATION_FIELDS R", "JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = R.RDB$FIELD_SOURCE",
                      "WHERE R.RDB$RELATION_NAME = :p0 AND R.RDB$FIELD_NAME = :p1"},
                     [&](const engine::Row& row) {
                         const std::int64_t type = engine::integerField(row, 0);
                         if (type != kCharType && type != kVarcharType) {
                             return;
                         }
                         const std::int64_t characterSet = engine::integerField(row, 1);
                         const bool bytes = characterSet == kNoCharacterSet || characterSet == kOctets;
                         const std::int64_t length = engine::integerField(row, bytes ? 3 : 2);
                         if (length > 0) {
                             longest = Longest{length, bytes};
                         }
                     },
                     engine::OnFailure::RollBack, {platform::upperAscii(table), platform::upperAscii(column)});
    return longest;
}

// A name without the blanks at its end, which the database does not count
// when it compares texts.
std::string withoutEndBlanks(const std::string& name) {
    const size_t end = name.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : name.substr(0, end + 1);
}

// The length of a text as the database measures it against a column.
std::int64_t lengthIn(const std::string& text, const Longest& longest) {
    if (longest.inBytes) {
        return static_cast<std::int64_t>(text.size());
    }
    std::int64_t characters = 0;
    for (const char c : text) {
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }
    return characters;
}

// The text a name is compared as: the name itself while it fits the column,
// else without its end blanks; none when even that is longer than any value of
// the column, so that it equals none of them.
std::optional<std::string> comparable(const std::string& name, const std::optional<Longest>& longest) {
    if (!longest || lengthIn(name, *longest) <= longest->length) {
        return name;
    }
    std::string shorter = withoutEndBlanks(name);
    if (lengthIn(shorter, *longest) > longest->length) {
        return std::nullopt;
    }
    return shorter;
}

} // namespace

engine::Operation codeFill(std::string table, std::string codeColumn, std::string nameColumn,
                           std::function<std::vector<CodeEntry>()> entries) {
    return {1, [=](engine::TDM1& dm) {
                const std::vector<std::string> lines = {"UPDATE " + engine::fb::plainIdentifier(table), "SET",
                                                        engine::fb::plainIdentifier(codeColumn) + " = :p0",
                                                        "WHERE " + engine::fb::plainIdentifier(nameColumn) + " = :p1"};
                const std::vector<CodeEntry> list = entries();
                // Firebird refuses a parameter longer than its column, which
                // would fail the whole fill; such a name equals none of its
                // values and is passed over like one that matches nothing.
                const auto longest = longestValue(dm, table, nameColumn);
                engine::gauge2_Show(static_cast<int>(list.size()));
                const bool filled =
                    engine::writeRowsFilteredBy(dm, table, nameColumn, lines, [&](engine::fb::Statement& update) {
                        for (const auto& entry : list) {
                            engine::gauge2_Next();
                            if (!entry.name) {
                                continue;
                            }
                            if (const auto name = comparable(*entry.name, longest)) {
                                update.execute({entry.code, *name});
                            }
                        }
                    });
                if (!filled) {
                    return engine::Flow::EndPart;
                }
                engine::gauge2_Hide();
                engine::inc_KolvoStep(1);
                return engine::Flow::Next;
            }};
}

} // namespace packs
