#pragma once

#include <string>

namespace engine {

// Why a database file that is there cannot serve a run: it does not attach, its stamp
// cannot be read, or the file may not be written where no server writes it for us. In words for the user, with
// Firebird's own text (which never holds the password); empty when the database is fine.
std::string databaseProblem(const std::string& path);

// Whether another program has the database open (another engine holds the file, or a server
// shows attachments besides ours), in words for the user; empty when no one does, and also
// when the file does not open at all.
std::string databaseHolders(const std::string& path);

} // namespace engine
