#pragma once

#include <string>

namespace engine {

// Why a database file that is there cannot serve a run: it does not attach, its stamp
// cannot be read, or the file may not be written where no server writes it for us. In words for the user, with
// Firebird's own text (which never holds the password); empty when the database is fine.
std::string databaseProblem(const std::string& path);

} // namespace engine
