#include "platform/ProgramVersion.h"

#include "platform/FileSystem.h"

#include <filesystem>

namespace platform {

std::array<int, 4> programVersion() {
    return {ZURUZOD_VERSION_MAJOR, ZURUZOD_VERSION_MINOR, ZURUZOD_VERSION_PATCH, ZURUZOD_VERSION_TWEAK};
}

std::array<int, 4> fileVersion(const std::string& path) {
    std::error_code ec;
    const auto self = executablePath();
    if (!path.empty() && !self.empty() && std::filesystem::equivalent(path, self, ec) && !ec) {
        return programVersion();
    }
    return {0, 0, 0, 0};
}

} // namespace platform
