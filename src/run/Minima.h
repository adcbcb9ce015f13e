#pragma once

#include <climits>
#include <string>

namespace run {

// The lowest stamp of one database among those read so far, compared as (version, service pack,
// build); each part starts at the largest integer.
struct Minima {
    int MinVersion = INT_MAX;
    int MinServicePack = INT_MAX;
    int MinBuild = INT_MAX;

    // Takes one database's stamp when it is lower; a version above 100 (800, 712) counts by its hundreds.
    void add(int Ver, int SP, int BB);
    // Every part was lowered by at least one database.
    bool allRead() const;
};

int majorVersion(int Ver);

// Reads one database's stamp through a module of its own and lowers the minima; false when unreadable.
bool ReadFileVersion(const std::string& FileName, Minima& minima);

// The minima over the version-8 set, in the order the wizard reads it.
Minima readVersion8Minima();

} // namespace run
