#pragma once

#include <string>
#include <vector>

namespace tools {

// Splits an SQL script into statements the way isql reads one: statements end
// with the terminator (";" unless "SET TERM" changes it), "--" lines are comments.
std::vector<std::string> splitScript(const std::string& script);

} // namespace tools
