#pragma once

#include <string>

namespace engine {

// The first database failure that the engine recorded in the event log since the last reset
// (the database, the statement and Firebird's text): a pack fails silently, and the run names
// what made it fail.
void resetFirstFailure();
void recordFailure(const std::string& detail);
const std::string& firstFailure();

} // namespace engine
