#include "engine/firebird/SqlText.h"

#include <cctype>
#include <limits>
#include <stdexcept>

namespace engine::fb {

std::string joinLines(const std::vector<std::string>& lines) {
    std::string sql;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            sql += '\n';
        }
        sql += lines[i];
    }
    return sql;
}

namespace {

bool isIdentifierChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$' ||
           (static_cast<unsigned char>(c) & 0x80);
}

// Copies a quoted section (doubled quotes stay inside it); returns the index after it.
size_t copyQuoted(const std::string& sql, size_t i, char quote, std::string& out) {
    out += sql[i++];
    while (i < sql.size()) {
        out += sql[i];
        if (sql[i] == quote) {
            if (i + 1 < sql.size() && sql[i + 1] == quote) {
                out += sql[++i];
            } else {
                return i + 1;
            }
        }
        ++i;
    }
    return i;
}

constexpr int kLargestNumber = std::numeric_limits<int>::max();

} // namespace

std::string replaceParameters(const std::string& sql,
                              const std::function<std::string(int number, size_t occurrence)>& with) {
    std::string out;
    size_t occurrence = 0;
    size_t i = 0;
    while (i < sql.size()) {
        const char c = sql[i];
        if (c == '\'' || c == '"') {
            i = copyQuoted(sql, i, c, out);
        } else if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
            const size_t end = sql.find('\n', i);
            const size_t stop = end == std::string::npos ? sql.size() : end;
            out.append(sql, i, stop - i);
            i = stop;
        } else if (c == '/' && i + 1 < sql.size() && sql[i + 1] == '*') {
            const size_t end = sql.find("*/", i + 2);
            const size_t stop = end == std::string::npos ? sql.size() : end + 2;
            out.append(sql, i, stop - i);
            i = stop;
        } else if (c == ':' && i + 2 < sql.size() && (sql[i + 1] == 'p' || sql[i + 1] == 'P') &&
                   std::isdigit(static_cast<unsigned char>(sql[i + 2])) && (i == 0 || !isIdentifierChar(sql[i - 1]))) {
            size_t j = i + 2;
            int number = 0;
            while (j < sql.size() && std::isdigit(static_cast<unsigned char>(sql[j]))) {
                // A number too large for an int stays the largest one, which no statement is
                // given a value for, instead of wrapping round to the number of another value.
                const int digit = sql[j] - '0';
                number = number > (kLargestNumber - digit) / 10 ? kLargestNumber : number * 10 + digit;
                ++j;
            }
            if (j < sql.size() && isIdentifierChar(sql[j])) {
                out.append(sql, i, j - i);
            } else {
                out += with(number, occurrence++);
            }
            i = j;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

PreparedText rewriteParameters(const std::string& sql) {
    PreparedText result;
    result.sql = replaceParameters(sql, [&result](int number, size_t) {
        result.parameterOrder.push_back(number);
        return std::string("?");
    });
    return result;
}

} // namespace engine::fb

namespace engine::fb {

const std::string& plainIdentifier(const std::string& name) {
    constexpr size_t kLongestName = 31;
    const size_t end = name.find_last_not_of(' ');
    const bool plain = [&] {
        if (end == std::string::npos || end + 1 > kLongestName || !std::isalpha(static_cast<unsigned char>(name[0]))) {
            return false;
        }
        for (size_t i = 0; i <= end; ++i) {
            const unsigned char c = static_cast<unsigned char>(name[i]);
            if (c >= 0x80 || !(std::isalnum(c) || c == '_' || c == '$')) {
                return false;
            }
        }
        return true;
    }();
    if (!plain) {
        throw std::invalid_argument("'" + name + "' is not a plain SQL name");
    }
    return name;
}

} // namespace engine::fb
