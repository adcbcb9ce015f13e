#include "environment/IniFile.h"

#include "platform/FileSystem.h"
#include "platform/Text.h"

#include <sstream>

namespace environment {

std::string readIniValue(const std::string& file, const std::string& section, const std::string& key) {
    std::string text;
    if (!platform::readWholeFile(file, text)) {
        return {};
    }
    const std::string wantedSection = platform::upperAscii(section);
    const std::string wantedKey = platform::upperAscii(key);
    std::istringstream lines(text);
    std::string line;
    bool inSection = false;
    while (std::getline(lines, line)) {
        const std::string item = platform::trimmed(line);
        if (item.size() >= 2 && item.front() == '[' && item.back() == ']') {
            inSection = platform::upperAscii(platform::trimmed(item.substr(1, item.size() - 2))) == wantedSection;
            continue;
        }
        const auto equals = item.find('=');
        if (inSection && equals != std::string::npos &&
            platform::upperAscii(platform::trimmed(item.substr(0, equals))) == wantedKey) {
            return platform::trimmed(item.substr(equals + 1));
        }
    }
    return {};
}

} // namespace environment
