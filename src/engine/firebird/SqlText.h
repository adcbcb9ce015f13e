#pragma once

#include <functional>
#include <string>
#include <vector>

namespace engine::fb {

// A statement with its ":pN" markers replaced by "?", and for each "?" the N it stood for.
struct PreparedText {
    std::string sql;
    std::vector<int> parameterOrder;
};

// The lines of a statement joined by line breaks, as they are sent.
std::string joinLines(const std::vector<std::string>& lines);

// Rewrites ":p0", ":p1", ... into positional markers, leaving quoted literals,
// quoted identifiers and comments untouched.
PreparedText rewriteParameters(const std::string& sql);

// Puts `with(N, occurrence)` in place of each ":pN" marker, the occurrences counted from 0
// in the order of the text; quoted literals, quoted identifiers and comments stay as they are.
std::string replaceParameters(const std::string& sql,
                              const std::function<std::string(int number, size_t occurrence)>& with);

} // namespace engine::fb

namespace engine::fb {

// The name itself when it is a plain SQL identifier (a letter, then letters,
// digits, "_" or "$", at most 31 of them; blanks at the end do not count, as
// the catalogue does not count them). Anything else is thrown as
// std::invalid_argument: a name pasted into a statement must never carry SQL.
const std::string& plainIdentifier(const std::string& name);

} // namespace engine::fb
