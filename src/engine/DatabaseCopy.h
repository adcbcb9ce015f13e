#pragma once

#include <string>

namespace engine {

// Copies a database file by Firebird's own means, so that the copy is consistent also while
// a server holds and writes the file: the database is frozen with ALTER DATABASE BEGIN BACKUP
// for the time of the copy (its changes go to a delta file meanwhile) and released with END
// BACKUP; the copy is then freed of the frozen state by nbackup -F. Throws std::runtime_error
// naming the step that failed; the target is then not left behind.
void copyDatabaseConsistently(const std::string& from, const std::string& to);

} // namespace engine
