#pragma once

namespace headless {

// Prints what the program would find in the installation and decide, as text or as one
// JSON document, changing nothing. Exits 0 when a run is possible, 1 when not, 2 when the
// installation cannot be read.
int printStatus(bool json);

} // namespace headless
