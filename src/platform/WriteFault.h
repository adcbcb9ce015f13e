#pragma once

namespace platform {

// The test seam of the checks of faults in the middle of a run: the N-th statement that
// the process executes against a database from now on fails as it would on a full disk;
// 0 turns the seam off. ZURUZOD_FAIL_WRITE=N in the environment sets it at the start.
void failWriteAt(long n);

// True when the statement about to be executed is the one that must fail.
bool writeFaultDue();

} // namespace platform
