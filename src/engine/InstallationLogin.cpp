#include "engine/InstallationLogin.h"

#include "environment/KvSetting.h"

namespace engine {

std::vector<std::string> installationLoginLines() {
    std::vector<std::string> lines;
    for (const auto& line : {environment::kvSetting.Params1, environment::kvSetting.Params2}) {
        if (!line.empty()) {
            lines.push_back(line);
        }
    }
    return lines;
}

} // namespace engine
