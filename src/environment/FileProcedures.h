#pragma once

#include "environment/KvSetting.h"

#include <string>

namespace environment {

// True when no file of that name exists afterwards (also when there never was one).
bool fw_DeleteFile(const std::string& FileName);
// A new GUID as 32 upper-case hexadecimal digits.
std::string read_NewGUID();
// The four parts of the file's version; zeros for a file without one.
void read_FileVersion(const std::string& FileName, TProgramInfo& Info);
// One string value of the Trellan key of the user store; empty when missing.
std::string read_TrellanValue(const std::string& Name);
// Writes an integer under the installation key + SubKey of the user store,
// creating the key; throws std::runtime_error when it cannot.
void fw_Write_RegistryInteger(const std::string& SubKey, const std::string& Name, int Value);

} // namespace environment
