#include "SchemaScript.h"

#include "platform/Text.h"

#include <sstream>

namespace tools {

std::vector<std::string> splitScript(const std::string& script) {
    std::vector<std::string> statements;
    std::string terminator = ";";
    std::string current;
    std::istringstream lines(script);
    std::string line;
    while (std::getline(lines, line)) {
        const std::string text = platform::trimmedRight(line);
        const std::string upper = platform::upperAscii(platform::trimmed(text));
        if (current.empty() && (upper.empty() || platform::startsWith(upper, "--"))) {
            continue;
        }
        if (current.empty() && platform::startsWith(upper, "SET TERM ")) {
            std::string rest = platform::trimmed(text).substr(9);
            rest = platform::trimmed(rest.substr(0, rest.size() - terminator.size()));
            terminator = rest;
            continue;
        }
        if (platform::endsWith(text, terminator)) {
            current += text.substr(0, text.size() - terminator.size());
            statements.push_back(platform::trimmed(current));
            current.clear();
        } else {
            current += text + "\n";
        }
    }
    if (!platform::trimmed(current).empty()) {
        statements.push_back(platform::trimmed(current));
    }
    return statements;
}

} // namespace tools
