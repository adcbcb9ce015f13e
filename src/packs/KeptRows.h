#pragma once

#include "engine/DataModule.h"

#include <string>

// A table whose rows a pack drops and writes back is copied first and the copy
// kept until the new rows have committed: a failure in between loses nothing,
// and the next run takes the old rows from the copy.
namespace packs {

bool tableExists(engine::TDM1& dm, const std::string& table);

// Copies `columns` of `table` into the new table `copy` (declared by
// `copyColumns`), unless `copy` exists already. False when that fails; the
// failure is in the event log.
bool keepRows(engine::TDM1& dm, const std::string& table, const std::string& copy, const std::string& columns,
              const std::string& copyColumns);

// Drops the copy once it is no longer needed; false when that fails.
bool releaseRows(engine::TDM1& dm, const std::string& copy);

// Where the old rows are: the table itself while it has its old shape (it still
// has `oldColumn`), else the copy an earlier run left.
std::string oldRowsOf(engine::TDM1& dm, const std::string& table, const std::string& copy,
                      const std::string& oldColumn);

} // namespace packs
