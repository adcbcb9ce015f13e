#pragma once

#include "engine/DatabaseValidation.h"
#include "run/RestorePoint.h"

#include <optional>
#include <vector>

namespace run {

// Firebird's online validation of every database of the version-8 set that is there,
// in the journal's order.
std::vector<engine::Validation> validateSet();

// What the validation after the packs made of the set.
enum class SetVerdict {
    AllValid,
    SomeNotChecked, // none found damaged, but the check could not run or finish on at least one
    Damaged         // at least one database found damaged
};

// After the packs: every database validated, a run-log line for each. A damaged one is
// named with its copy in the run's backup in the run log, the event log and a message box;
// one whose check hung or broke off is named so too; one that could not be checked is named
// with the reason in the run log and the event log.
SetVerdict control_Validation(const std::optional<RestorePoint>& backup);

} // namespace run
