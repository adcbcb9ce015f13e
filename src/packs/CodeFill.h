#pragma once

#include "engine/PackFrame.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace packs {

// One entry of a code fill: the rows named `name` receive `code`. An entry
// without a name executes nothing; it only moves the inner gauge.
struct CodeEntry {
    std::int64_t code = 0;
    std::optional<std::string> name;
};

// Gives each row of `table` whose `nameColumn` equals an entry's name that
// entry's code in `codeColumn`: one UPDATE per entry, in list order, so the
// later of two entries of one name wins, and rows that match no entry keep
// their code; a name longer than the name column (blanks at its end aside)
// equals none of its values and is passed over. One prepared statement, one
// commit, one step; an empty list still counts its step. A failure is rolled
// back and counts nothing, and the rest of the database's part is not run: the
// names that could not be coded must not be dropped by its later steps.
engine::Operation codeFill(std::string table, std::string codeColumn, std::string nameColumn,
                           std::function<std::vector<CodeEntry>()> entries);

} // namespace packs
