#pragma once

namespace app {

// Waits the given time while the windows keep painting and answering.
void pauseKeepingWindows(int milliseconds);

} // namespace app
