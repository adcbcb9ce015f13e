#include "environment/AliasFile.h"

#include "environment/IniFile.h"
#include "environment/KvSetting.h"
#include "platform/FileSystem.h"
#include "platform/Text.h"

#include <algorithm>

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
    // A lone carriage return ends a line as well, as editors that wrote it meant.
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        const std::string line = text.substr(start, end - start);
        start = end + 1;
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
