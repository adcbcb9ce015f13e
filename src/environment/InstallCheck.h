#pragma once

#include <string>

namespace environment {

// The start-up environment check: screen, formats, the installation key, its folders.
bool control_Install(const std::string& typeInstall);
// The screen is at least 1280 x 900 pixels.
bool control_Screen();

} // namespace environment
