#pragma once

#include "engine/DatabaseLook.h"
#include "run/RestorePoint.h"
#include "run/StateDetection.h"

#include <optional>
#include <string>
#include <vector>

namespace run {

// One database of the set as a look found it.
struct DatabaseStatus {
    std::string name; // "Base", "OrdersServer", ...
    std::string path;
    bool release712 = false; // a file of the 7.12 installation that a run would convert
    engine::DatabaseLook look;
};

struct PlannedPack {
    int number = 0; // N of 8.00.0N
    int steps = 0;  // the pack's step total
};

// A condition that a run checks before its first change.
struct PreRunCheck {
    std::string name; // a short key: "backup-space", "databases-open", ...
    bool passed = false;
    std::string text; // what was found, in words
};

// What the program would find in the installation and decide, read without changing anything.
struct InstallationStatus {
    // Why the installation cannot be read (registry key, folders); empty when it was read.
    std::string unreadable;
    std::string dataFolder;
    std::string programFolder;
    int installationNumber = 0;
    std::string databaseUser; // empty when the login comes from ISC_USER
    std::vector<DatabaseStatus> databases;
    // The verdict lines of the wizard's start page, the lowest stamp and whether it is ready.
    DetectedState state;
    std::vector<PlannedPack> packs;
    std::vector<PreRunCheck> checks;
    // Messages the program would have shown while reading the installation.
    std::vector<std::string> messages;

    bool readable() const { return unreadable.empty(); }
    // A run would start and install the packs planned.
    bool runPossible() const;
};

// Reads the installation key and forms the locations of the databases and the login as the
// program does, recording no event; why the installation cannot be read, or empty.
std::string readInstallationLocations();

// Reads the installation that the registry stores name as a run would, through the same
// detection and decision; records no event, writes no file, leaves no lock.
InstallationStatus readInstallationStatus();

} // namespace run
