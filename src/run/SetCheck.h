#pragma once

namespace run {

// Every database of the version-8 set that is there opens and shows its stamp. The first
// that does not stops the run before anything is changed: a message box naming the file
// and the cause, a run-log line and an event-log entry.
bool control_SetOpens();

} // namespace run
