#pragma once

#include "engine/DatabaseValidation.h"
#include "run/RestorePoint.h"

#include <optional>
#include <vector>

namespace run {

// Firebird's online validation of every database of the version-8 set that is there,
// in the journal's order.
std::vector<engine::Validation> validateSet();

// After the packs: every database validated, a run-log line for each. A damaged one is
// named with its copy in the run's backup in the run log, the event log and a message box.
// True when every database is valid.
bool control_Validation(const std::optional<RestorePoint>& backup);

} // namespace run
