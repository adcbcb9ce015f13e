#pragma once

#include <string>

namespace engine {

// Expands a column type code ("i", "t255", "m2", "b1", ...) into Firebird type
// text; a text that starts with no code letter passes unchanged. Throws
// std::invalid_argument for an empty text or a code missing its character.
void fc_ColumnType(std::string& ColType);

} // namespace engine
