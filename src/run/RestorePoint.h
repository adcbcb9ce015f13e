#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace run {

// What puts the databases back as they were before a run: the backup folder of the run and
// each database file with its copy there. While a run that changes databases is under way,
// its marker file in the data root names it, so that the next start knows of an interrupted run.
struct RestorePoint {
    std::string folder;
    std::vector<std::pair<std::string, std::string>> files; // database, copy
};

// The marker file: DirBase + "zuruzod-upgrade-run.txt".
std::string markerPath();
// The lock file of one run at a time on the installation: DirBase + "zuruzod-upgrade.lock".
// Each user and session has a program lock of its own; the data root is what they share.
std::string installationLockPath();
// The restore point of an interrupted or failed run, when its marker is there.
std::optional<RestorePoint> readMarker();
void removeMarker();

// The room the backup of the databases that are there needs, and what the data root has.
struct BackupSpace {
    std::uintmax_t needed = 0;
    std::uintmax_t available = 0;
    std::string folder; // the data root, where the backup goes
    bool enough() const { return available >= needed + needed / 20; }
};
BackupSpace backupSpace();

// Before the first change: checks the free space, copies every database of the set that is
// there into a folder of the data root named by the date and time, verifies each copy and
// writes the marker. The run log and the event log name the folder. Empty, after a message
// that says why, when the backup cannot be made; nothing was changed then.
std::optional<RestorePoint> makeRestorePoint();

// Puts every database back from its copy (byte for byte, each under a temporary name first)
// and removes the marker; says so in the run log and the event log. Nothing is replaced while
// a copy is missing or damaged or another program has a database open. False, after naming
// the file and the cause, when the set could not be restored; the marker then stays.
bool restoreFrom(const RestorePoint& point);

} // namespace run
