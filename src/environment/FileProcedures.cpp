#include "environment/FileProcedures.h"

#include "platform/FileSystem.h"
#include "platform/Guid.h"
#include "platform/ProgramVersion.h"
#include "platform/Registry.h"

namespace environment {

bool fw_DeleteFile(const std::string& FileName) {
    return platform::removeFileClearingAttributes(FileName);
}

std::string read_NewGUID() {
    return platform::newGuidDigits();
}

void read_FileVersion(const std::string& FileName, TProgramInfo& Info) {
    const auto version = platform::fileVersion(FileName);
    Info.VersionMain = version[0];
    Info.Version = version[1];
    Info.ServicePack = version[2];
    Info.Build = version[3];
}

std::string read_TrellanValue(const std::string& Name) {
    const auto store = platform::RegistryStore::open(platform::RegistryRoot::CurrentUser);
    return store.readString(kTrellanKey, Name).value_or("");
}

void fw_Write_RegistryInteger(const std::string& SubKey, const std::string& Name, int Value) {
    const auto store = platform::RegistryStore::open(platform::RegistryRoot::CurrentUser);
    store.writeInteger(std::string(kInstallKey) + SubKey, Name, Value);
}

} // namespace environment
