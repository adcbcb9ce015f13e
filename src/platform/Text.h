#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Upper-cases ASCII letters only, as unquoted SQL identifiers are compared.
std::string upperAscii(std::string_view text);
std::string trimmed(std::string_view text);
std::string trimmedRight(std::string_view text);
bool startsWith(std::string_view text, std::string_view prefix);
bool endsWith(std::string_view text, std::string_view suffix);
// A whole decimal 32-bit integer, optionally signed; anything else is empty.
std::optional<int> parseInt(std::string_view text);

} // namespace platform
