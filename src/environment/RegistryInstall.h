#pragma once

#include <string>

namespace environment {

// Reads the installation key of the machine store into kvSetting (and the
// installation number into NumberFirm). False when the key, one of its values,
// or the accepted installation type is missing.
bool read_RegistryInstall(const std::string& typeInstall);
// NumberFirm, when the installation key has it, is a whole number: one that is not would
// name another database user and server alias. Shows its message when it fails.
bool control_NumberFirm();

// The installation type the program accepts for a stored and a requested type; empty when refused.
std::string acceptedInstallType(const std::string& stored, const std::string& requested);

} // namespace environment
