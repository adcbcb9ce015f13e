#pragma once

#include "engine/PackFrame.h"

#include <string>

namespace packs {

// Replaces a text column that holds one integer code a line by a link table
// (key, code): the table is made, each line that is a positive integer becomes
// a row (duplicates too), and the text column is dropped. Five steps. A failed
// read or write keeps the text column and counts neither of its own two steps;
// the pack goes on with its next step. A column that is gone already counts
// as split.
engine::Operation ft_TableSplitColumn(std::string SourceTable, std::string LinkTable, std::string KeyColumn,
                                      std::string ListColumn);

} // namespace packs
