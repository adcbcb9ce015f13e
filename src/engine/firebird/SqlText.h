#pragma once

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

} // namespace engine::fb
