#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace engine {

// One row of a database's upgrade journal.
struct JournalEntry {
    std::string version; // as the journal writes it, e.g. "Base 8.0.3"
    std::string time;    // "dd.MM.yyyy HH:mm:ss"
};

struct Stamp {
    int Version = 0;
    int ServicePack = 0;
    int Build = 0;
};

// What a look at one database found.
struct DatabaseLook {
    bool present = false;
    bool opens = false;
    // Another process (a Firebird server or a running program) holds the file.
    bool heldElsewhere = false;
    // Why it does not open, in words for the user; empty when it opens.
    std::string problem;
    // No private copy could be made to read (a full or missing temporary folder): nothing is
    // known of the database itself then.
    bool copyFailed = false;
    std::optional<Stamp> stamp;
    std::vector<JournalEntry> journal;
    // The record format each table is at, by its upper-case name.
    std::map<std::string, int> tableFormats;
};

// Reads a database's stamp, journal and table formats without changing its file: Firebird writes
// counters into a file at every attachment, so a file that nobody holds is read
// through a private copy in the temporary folder, which goes afterwards. A file held
// by a server is read through that server, with the installation's login, as a run
// would reach it.
DatabaseLook lookAtDatabase(const std::string& path);

} // namespace engine
