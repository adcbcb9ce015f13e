#pragma once

#include <stdexcept>
#include <string>

namespace platform {

// Thrown at a step boundary once a stop was asked for: the step before it is committed,
// so the run can end cleanly from there.
class RunStopped : public std::runtime_error {
public:
    RunStopped() : std::runtime_error("the run was asked to stop") {}
};

// The exit status of a process that the test seam ended at a step boundary.
inline constexpr int kStoppedAtStepExit = 86;

// Marks the end of one step of a run: a step of the gauge, one file of a copy, one database
// of the journal walk. Throws RunStopped when a stop was asked for. With ZURUZOD_STOP_AT=N
// in the environment the process ends at the N-th boundary at once, without any clean-up,
// as a killed process would: the test seam of the interrupted-run checks.
void stepBoundary();

// Names what the boundaries from here on belong to ("copy", "backup", "pack 8.00.03", "journal
// 8.00.03"). With ZURUZOD_BOUNDARY_MAP=FILE in the environment every boundary adds the line
// "N<TAB>PLACE<TAB>K" to FILE, K counting the boundaries of that place from 1: the map that lets
// the kill harness pick its boundaries by what they are, whatever the packs' step counts.
void boundaryPlace(const std::string& place);

// Asks the run to stop at its next step boundary; safe to call from another thread.
void requestStop() noexcept;
bool stopRequested() noexcept;

} // namespace platform
