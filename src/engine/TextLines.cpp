#include "engine/TextLines.h"

#include "platform/Text.h"

namespace engine {

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(std::move(line));
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            line += c;
        }
    }
    if (!line.empty()) {
        lines.push_back(std::move(line));
    }
    return lines;
}

std::int64_t lineAsInteger(const std::string& line, std::int64_t otherwise) {
    const auto value = platform::parseInt(line);
    return value ? *value : otherwise;
}

} // namespace engine
