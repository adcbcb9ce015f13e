#pragma once

#include <optional>
#include <string>

namespace environment {

// The path that the server's alias file gives the version-8 Orders alias of
// this installation; empty when the settings, the file or the alias are missing.
std::string read_AliasOrders8();

// The alias file named by the [Server] DirectoryFirebird value of a kv.ini; empty when unset.
std::string aliasFileOf(const std::string& kvIni);

// The path after "=" on the first line holding the alias and "="; comment lines
// are skipped only when asked. No value when no line names the alias (a line
// with nothing after "=" gives an empty path, which is not the same).
std::optional<std::string> findAliasPath(const std::string& aliasFile, const std::string& alias, bool skipComments);

} // namespace environment
