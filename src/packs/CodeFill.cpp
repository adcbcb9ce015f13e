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

// The length of a name as the database measures it against its column, blanks
// at the end not counting: the characters of the UTF-8 text, or its bytes.
std::int64_t comparedLength(const std::string& name, bool inBytes) {
    const size_t end = name.find_last_not_of(' ');
    const size_t size = end == std::string::npos ? 0 : end + 1;
    if (inBytes) {
        return static_cast<std::int64_t>(size);
    }
    std::int64_t characters = 0;
    for (size_t i = 0; i < size; ++i) {
        characters += (static_cast<unsigned char>(name[i]) & 0xC0) != 0x80;
    }
    return characters;
}

} // namespace

engine::Operation codeFill(std::string table, std::string codeColumn, std::string nameColumn,
                           std::function<std::vector<CodeEntry>()> entries) {
    return {1, [=](engine::TDM1& dm) {
                const std::vector<std::string> lines = {"UPDATE " + engine::fb::plainIdentifier(table), "SET",
                                                        engine::fb::plainIdentifier(codeColumn) + " = :p0",
                                                        "WHERE " + engine::fb::plainIdentifier(nameColumn) + " = :p1"};
                const std::vector<CodeEntry> list = entries();
                // A name longer than the column equals none of its values, and
                // Firebird refuses it as the parameter, which would fail the
                // whole fill: it is passed over, as a name that matches nothing.
                const auto longest = longestValue(dm, table, nameColumn);
                const auto fits = [&](const std::string& name) {
                    return !longest || comparedLength(name, longest->inBytes) <= longest->length;
                };
                engine::gauge2_Show(static_cast<int>(list.size()));
                const bool filled =
                    engine::writeRowsFilteredBy(dm, table, nameColumn, lines, [&](engine::fb::Statement& update) {
                        for (const auto& entry : list) {
                            engine::gauge2_Next();
                            if (entry.name && fits(*entry.name)) {
                                update.execute({entry.code, *entry.name});
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
