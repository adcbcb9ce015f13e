#include "environment/AliasFile.h"

#include "environment/IniFile.h"
#include "environment/KvSetting.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"

#include <sstream>

namespace environment {

std::string aliasFileOf(const std::string& kvIni) {
    const std::string folder = readIniValue(kvIni, "Server", "DirectoryFirebird");
    return folder.empty() ? std::string() : platform::withSeparator(folder) + "aliases.conf";
}

std::optional<std::string> findAliasPath(const std::string& aliasFile, const std::string& alias, bool skipComments) {
    std::string text;
    if (aliasFile.empty() || !platform::readWholeFile(aliasFile, text)) {
        return std::nullopt;
    }
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || (skipComments && line.front() == '#')) {
            continue;
        }
        const auto equals = line.find('=');
        if (line.find(alias) != std::string::npos && equals != std::string::npos) {
            return platform::trimmed(line.substr(equals + 1));
        }
    }
    return std::nullopt;
}

std::string read_AliasOrders8() {
    return findAliasPath(aliasFileOf(kvSetting.KVDir.PFVeskKalver8 + "kv.ini"), kvSetting.Alias.Orders, true)
        .value_or("");
}

} // namespace environment
