#include "environment/RegistryInstall.h"

#include "environment/KvSetting.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/Text.h"
#include "platform/UserInterface.h"

namespace environment {

std::string acceptedInstallType(const std::string& stored, const std::string& requested) {
    if (stored == "dfhs") {
        return requested.empty() ? "h" : requested;
    }
    if (stored.size() != 1) {
        return {};
    }
    if (!requested.empty() && requested != "h") {
        return stored == requested ? requested : std::string();
    }
    return stored;
}

bool control_NumberFirm() {
    const auto store = platform::RegistryStore::open(platform::RegistryRoot::LocalMachine);
    const auto text = store.readString(kInstallKey, "NumberFirm");
    if (!text || store.readInteger(kInstallKey, "NumberFirm")) {
        return true;
    }
    platform::ui().showMessage("Номер установки NumberFirm не является числом: " + *text);
    return false;
}

bool read_RegistryInstall(const std::string& typeInstall) {
    const auto store = platform::RegistryStore::open(platform::RegistryRoot::LocalMachine);
    const auto dirProgram = store.readString(kInstallKey, "DirProgram");
    const auto dirBase = store.readString(kInstallKey, "DirBase");
    const auto storedType = store.readString(kInstallKey, "typeInstall");
    if (!dirProgram || !dirBase || !storedType) {
        return false;
    }
    const std::string accepted = acceptedInstallType(*storedType, typeInstall);
    if (accepted.empty()) {
        return false;
    }
    kvSetting.typeInstall = accepted;
    NumberFirm = store.readInteger(kInstallKey, "NumberFirm").value_or(0);

    auto& dir = kvSetting.KVDir;
    dir.PFVeskKalver8 = platform::withSeparator(*dirProgram);
    dir.Vesk = platform::withSeparator(*dirBase);
    dir.VeskKalver8 = dir.Vesk + "Kalver" + "800" + platform::kSeparator;
    dir.VeskVersion8 = dir.Vesk + "Версия" + platform::kSeparator + "800" + platform::kSeparator;
    dir.VeskVersionInfo = dir.VeskVersion8 + "Info" + platform::kSeparator;
    kvSetting.KVFile.FileRegister =
        dir.VeskVersionInfo + "Register " + std::to_string(kvSetting.DateStart.Year) + ".log";
    return true;
}

} // namespace environment
