// Runs the upgrade of the installation that the registry stores name, without a
// window: run-log lines go to standard output, message boxes to standard error,
// and every question is answered Yes.
#include "engine/EngineState.h"
#include "environment/AliasFile.h"
#include "environment/DataBaseFiles.h"
#include "environment/EventLog.h"
#include "environment/FileProcedures.h"
#include "environment/InstallCheck.h"
#include "environment/KvSetting.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "run/InstallationRun.h"
#include "run/Minima.h"
#include "run/StateDecision.h"

#include <chrono>
#include <exception>
#include <iostream>
#include <thread>

namespace {

constexpr int kInstalled = 0;
constexpr int kFailed = 1;
constexpr int kCannotStart = 2;

using environment::kvSetting;

bool readInstallation() {
    if (!environment::control_Install("h")) {
        std::cerr << "The installation key SOFTWARE\\Vesk\\Калвер\\8.00 with DirProgram, DirBase and typeInstall "
                     "must be in "
                  << platform::RegistryStore::fileOf(platform::RegistryRoot::LocalMachine)
                  << ", and both folders must exist." << std::endl;
        return false;
    }
    environment::fw_Write_Register(0);
    if (!environment::read_DataBaseFiles()) {
        std::cerr << "The locations of the databases cannot be formed." << std::endl;
        return false;
    }
    kvSetting.KVFile.FileOrdersServer = environment::read_AliasOrders8();
    engine::fileSorvin = kvSetting.KVDir.dirKalver + "Sorvin.fdb";
    return true;
}

int upgrade() {
    if (!readInstallation()) {
        return kCannotStart;
    }
    const run::Minima minima = run::readVersion8Minima();
    if (!minima.allRead()) {
        std::cerr << "No database of the version-8 set can be read in " << kvSetting.KVDir.dirKalver << "."
                  << std::endl;
        return kCannotStart;
    }
    const run::StateDecision decision = run::decideState(minima.MinVersion, minima.MinServicePack, minima.MinBuild);
    if (!decision.ready) {
        for (const auto& line : decision.lines) {
            std::cerr << line << std::endl;
        }
        std::cerr << "Nothing can be upgraded in " << kvSetting.KVDir.dirKalver << ": the lowest stamp is "
                  << minima.MinVersion << "." << minima.MinServicePack << "." << minima.MinBuild << "." << std::endl;
        return kCannotStart;
    }
    run::RunHooks hooks;
    hooks.pause = [](int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); };
    environment::TProgramInfo UpgradeInfo;
    environment::read_FileVersion(platform::executablePath(), UpgradeInfo);
    const auto result = run::runInstallation(decision.MinVersion, UpgradeInfo, run::standardPacks(), hooks);
    return result == run::InstallationResult::Installed ? kInstalled : kFailed;
}

} // namespace

int main(int argc, char**) {
    if (argc > 1) {
        std::cerr << "upgrade-headless takes no arguments; it reads the installation from the registry stores."
                  << std::endl;
        return kCannotStart;
    }
    environment::ProgramTitle = "zuruzod 8e";
    try {
        const int status = upgrade();
        if (!kvSetting.KVDir.VeskVersionInfo.empty()) {
            environment::fw_Write_Register(9);
        }
        return status;
    } catch (const std::exception& error) {
        std::cerr << "upgrade-headless: " << error.what() << std::endl;
        return kCannotStart;
    }
}
