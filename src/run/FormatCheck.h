#pragma once

#include "engine/DatabaseSlots.h"
#include "engine/TableFormats.h"

#include <map>

#include <string>
#include <vector>

namespace run {

// A table that the packs still to run on its database will alter: the record formats it
// is at and the new ones those packs give it.
struct TableHeadroom {
    std::string database; // the database's path
    std::string table;    // upper case, as the catalogue names it
    int formats = 0;
    int alterations = 0;

    bool exceedsLimit() const { return formats + alterations > engine::kMaxTableFormats; }
};

// Whether pack N runs on a database that carries the stamp (Ver, SP, BB): the conversion
// on a 7.12 database, each later pack from the one after the database's build on.
bool packAhead(int N, int Ver, int SP, int BB);

// The tables of one database, at the stamp and with the formats read from it, that the packs
// ahead of it will alter.
std::vector<TableHeadroom> headroomOf(engine::Slot slot, const std::string& path, int Ver, int SP, int BB,
                                      const std::map<std::string, int>& formats);

// Every existing table of the version-8 set that the packs ahead of its database will
// alter, databases in the journal's order. A database that cannot be read is left out:
// the opening check before it names it.
std::vector<TableHeadroom> tableHeadroom();

// A table that the run would take past Firebird's limit of record formats stops the run
// before any change: a message box naming the database, the table and the remedy (a
// backup and restore with gbak), a run-log line and an event-log entry.
bool control_FormatLimit();

} // namespace run
