#include "environment/PreFlight.h"

#include "environment/AliasFile.h"
#include "environment/EventLog.h"
#include "environment/KvSetting.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/UserInterface.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include <unistd.h>

namespace environment {

TFiles712 Files712;

namespace {

constexpr const char* kInstall700Key = "SOFTWARE\\WOW6432Node\\Vesk\\Калвер\\7.00\\";
constexpr const char* kTrellan712Key = "SOFTWARE\\WOW6432Node\\Vesk\\trellan\\";
constexpr const char* kAdminNeeded =
    "Необходимо запустить Upgrade от имени Администратора\rЗакройте программу и запустите заново";

bool versionEightSetComplete() {
    const auto& file = kvSetting.KVFile;
    return platform::directoryExists(kvSetting.KVDir.dirKalver) && !platform::fileExists(copyMarkerPath()) &&
           platform::fileExists(file.FileBase) && platform::fileExists(file.FileSystem) &&
           platform::fileExists(file.FileOrders) && platform::fileExists(file.FilePrice);
}

// Step 4: the 7.00 installation key; 0 when read, else the code to log.
int read_Install700() {
    const auto store = platform::RegistryStore::open(platform::RegistryRoot::LocalMachine);
    if (!store.keyExists(kInstall700Key)) {
        return 471;
    }
    const auto dirBase = store.readString(kInstall700Key, "DirBase");
    if (!dirBase) {
        return 472;
    }
    Files712.dirKalver = platform::withSeparator(*dirBase);
    const auto dirProgram = store.readString(kInstall700Key, "DirProgram");
    if (!dirProgram) {
        return 473;
    }
    Files712.PFVeskKalver7 = platform::withSeparator(*dirProgram);
    return 0;
}

// Step 5: Trellan keeps the 7.12 databases where its own key says.
bool read_Trellan712() {
    const auto store = platform::RegistryStore::open(platform::RegistryRoot::LocalMachine);
    const auto basePath = store.readString(kTrellan712Key, "BasePath712");
    if (!basePath) {
        return false;
    }
    Files712.dirKalver = platform::withSeparator(*basePath);
    return true;
}

// Step 7: the folders and files of the 7.12 set under its data root.
void formFiles712() {
    auto& f = Files712;
    const char s = platform::kSeparator;
    f.dirKalver += std::string("Kalver700") + s;
    f.dirKalverBase = f.dirKalver + "Base" + s;
    f.dirKalverOrders = f.dirKalver + "Orders" + s;
    f.dirKalverSorvin = f.dirKalver + "Sorvin" + s;
    f.dirKalverPellix = f.dirKalver + "Pellix" + s;
    f.filePrice = f.dirKalverSorvin + "Price.fdb";
    f.fileSorvin = f.dirKalverSorvin + "Sorvin.fdb";
    f.fileBase = f.dirKalverBase + "Base.fdb";
    f.fileConfig = f.dirKalverBase + "Config.fdb";
    f.fileSystem = f.dirKalverBase + "System.fdb";
    f.FileGrelto = f.dirKalverBase + "Grelto.fdb";
    f.fileOrders = f.dirKalverOrders + "Orders.fdb";
    f.fileKladr = f.dirKalverBase + "Kladr_.fdb";
    f.fileKladrMain = f.dirKalverBase + "Kladr.fdb";
    f.filePellix = f.dirKalverPellix + "Pellix.fdb";
}

// Step 8: the databases without which the 7.12 set cannot be converted; 0 when all are there.
int missingDatabases712() {
    const std::pair<const std::string*, int> required[] = {
        {&Files712.fileBase, 476}, {&Files712.fileSystem, 477}, {&Files712.fileOrders, 478}};
    for (const auto& [file, code] : required) {
        if (!platform::fileExists(*file)) {
            return code;
        }
    }
    return 0;
}

std::string aliasFile8() {
    return aliasFileOf(kvSetting.KVDir.PFVeskKalver8 + "kv.ini");
}

// The version-8 server needs its own Orders alias only when there is a 7.12
// server Orders database to bring over, and a server alias file to name it in.
bool aliasOrders8Needed() {
    const std::string aliasFile = aliasFile8();
    return Files712.file7 && !aliasFile.empty() && platform::fileExists(aliasFile) &&
           !findAliasPath(aliasFile, kvSetting.Alias.Orders, true) && !Files712.fileOrdersServer.empty() &&
           platform::fileExists(Files712.fileOrdersServer);
}

// The new alias names the file that the conversion copy fills from the 7.12
// server database; every line already there is kept byte for byte.
void register_AliasOrders8() {
    const std::string aliasFile = aliasFile8();
    const std::string path = kvSetting.KVDir.dirKalver + "OrdersServer.fdb";
    std::string text;
    if (!platform::readWholeFile(aliasFile, text)) {
        throw std::runtime_error("cannot read the alias file " + aliasFile);
    }
    const std::string lineBreak = text.find("\r\n") != std::string::npos ? "\r\n" : "\n";
    if (!text.empty() && text.back() != '\n') {
        text += lineBreak;
    }
    text += kvSetting.Alias.Orders + " = " + path + lineBreak;
    platform::replaceFileContents(aliasFile, text);
    kvSetting.KVFile.FileOrdersServer = path;
}

// Both ways out first look up the version-8 server Orders database.
bool finishWith(bool result, const PreFlightEnvironment& machine) {
    kvSetting.KVFile.FileOrdersServer = read_AliasOrders8();
    if (!kvSetting.KVFile.FileOrdersServer.empty() || !aliasOrders8Needed()) {
        return result;
    }
    if (machine.lookOnly) {
        kvSetting.KVFile.FileOrdersServer = kvSetting.KVDir.dirKalver + "OrdersServer.fdb";
        return result;
    }
    if (!machine.admin()) {
        platform::ui().showMessage(kAdminNeeded);
        return false;
    }
    register_AliasOrders8();
    return result;
}

// Logs why the pre-flight stops, then finishes with False.
bool failWith(int code, const PreFlightEnvironment& machine) {
    fw_Write_Register(code);
    return finishWith(false, machine);
}

std::string aliasFile712(const PreFlightEnvironment& machine) {
    if (platform::fileExists(machine.fixedAliasFile712)) {
        return machine.fixedAliasFile712;
    }
    return aliasFileOf(Files712.PFVeskKalver7 + "kv.ini");
}

} // namespace

std::string copyMarkerPath() {
    return kvSetting.KVDir.dirKalver + "zuruzod-copy-712.txt";
}

bool control_UpgradeFiles(const PreFlightEnvironment& machine) {
    Files712.file7 = false;
    Files712.file8 = false;
    if (versionEightSetComplete()) {
        Files712.file8 = true;
        return finishWith(true, machine);
    }
    fw_Write_Register(470);
    if (const int code = read_Install700()) {
        return failWith(code, machine);
    }
    if (kvSetting.bTrellan && !read_Trellan712()) {
        return finishWith(false, machine);
    }
    if (!platform::directoryExists(Files712.dirKalver)) {
        fw_Write_Register(475);
        return finishWith(true, machine);
    }
    formFiles712();
    if (const int code = missingDatabases712()) {
        return failWith(code, machine);
    }
    Files712.fileOrdersServer = read_AliasOrders7(machine);
    Files712.file7 = true;
    return finishWith(true, machine);
}

std::string read_AliasOrders7(const PreFlightEnvironment& machine) {
    Files712.AliasOrders = "kvServerOrders_" + std::to_string(NumberFirm);
    return findAliasPath(aliasFile712(machine), Files712.AliasOrders, false).value_or("");
}

bool control_Admin() {
    return ::geteuid() == 0;
}

} // namespace environment
