#pragma once

#include <map>
#include <string>

namespace engine {

// Firebird gives a table at most this many record formats; the ALTER that would make
// one more fails with "too many versions". A backup and restore with gbak starts every
// table at one format again.
inline constexpr int kMaxTableFormats = 255;

// The record format each table of a database is at (its latest in RDB$FORMATS), by its
// upper-case name; a table that was never altered is at 1. Throws fb::FbError when the
// database cannot be read.
std::map<std::string, int> readTableFormats(const std::string& path);

} // namespace engine
