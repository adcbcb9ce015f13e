#include "support/ChainInstallation.h"

#include "engine/EngineState.h"
#include "environment/FileProcedures.h"
#include "environment/KvSetting.h"
#include "packs/PackWrappers.h"
#include "platform/FileSystem.h"
#include "platform/UserInterface.h"
#include "support/ScriptedUserInterface.h"

#include <map>
#include <stdexcept>

namespace testing_support {
namespace {

// The results of the chain, one folder of database files for each N, for the life of the process.
struct Snapshots {
    TempDir folder;
    std::map<int, std::string> byPack;
};

Snapshots& snapshots() {
    static Snapshots instance;
    return instance;
}

const std::vector<std::string>& databaseNames() {
    static const std::vector<std::string> names = tools::databaseNames(tools::Release::V8);
    return names;
}

std::string takeSnapshot(int throughPack) {
    const std::string folder = snapshots().folder.path() + "through-" + std::to_string(throughPack) + "/";
    if (!platform::createDirectories(folder)) {
        throw std::runtime_error("cannot create " + folder);
    }
    ScriptedUserInterface ui;
    TestInstallation source;
    pointEngineAt(source);
    const auto packs = packs::allPacks();
    for (int n = 1; n <= throughPack; ++n) {
        if (!packs.at(static_cast<size_t>(n)).wrapper()) {
            std::string said;
            for (const auto& message : ui.messages) {
                said += "\n" + message;
            }
            throw std::runtime_error("service pack 8.00.0" + std::to_string(n) +
                                     " failed on the test installation:" + said);
        }
        if (n == 3) {
            environment::fw_DeleteFile(engine::fileSorvin);
        }
    }
    for (const auto& name : databaseNames()) {
        const std::string path = source.database(name);
        if (platform::fileExists(path) && !platform::copyFile(path, folder + name + ".fdb", true)) {
            throw std::runtime_error("cannot keep " + path);
        }
    }
    return folder;
}

} // namespace

void pointEngineAt(const TestInstallation& installation) {
    engine::KolvoStep = 0;
    engine::fileSorvin = installation.layout().kalver800 + "Sorvin.fdb";
    environment::kvSetting.KVFile.FileOrdersServer = installation.database("OrdersServer");
}

ChainInstallation::ChainInstallation(int throughPack) {
    auto& cache = snapshots().byPack;
    if (!cache.count(throughPack)) {
        // The packs run with an interface of their own; the test keeps its own.
        platform::UserInterface& testsInterface = platform::ui();
        cache[throughPack] = takeSnapshot(throughPack);
        platform::setUserInterface(&testsInterface);
    }
    const std::string& snapshot = cache[throughPack];
    m_installation = std::make_unique<TestInstallation>();
    for (const auto& name : databaseNames()) {
        const std::string target = m_installation->database(name);
        const std::string kept = snapshot + name + ".fdb";
        if (platform::fileExists(kept)) {
            if (!platform::copyFile(kept, target, true)) {
                throw std::runtime_error("cannot copy " + kept);
            }
        } else if (!platform::removeFileClearingAttributes(target)) {
            throw std::runtime_error("cannot remove " + target);
        }
    }
    pointEngineAt(*m_installation);
}

} // namespace testing_support
