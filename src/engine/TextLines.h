#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace engine {

// A text cut into lines at CR LF, a lone CR and a lone LF; a break at the very
// end adds no empty line, an empty line inside stays, no line is trimmed.
std::vector<std::string> splitLines(const std::string& text);
// A line as a whole decimal integer, or `otherwise` when it is not one.
std::int64_t lineAsInteger(const std::string& line, std::int64_t otherwise);

} // namespace engine
