#include "support/ChainInstallation.h"

#include "engine/EngineState.h"
#include "environment/FileProcedures.h"
#include "environment/KvSetting.h"
#include "packs/PackWrappers.h"
#include "platform/FileSystem.h"
#include "platform/UserInterface.h"
#include "support/ScriptedUserInterface.h"

#include <filesystem>
#include <map>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace testing_support {
namespace {

// The results of the chain are kept across test processes (ctest runs every test in a
// process of its own): one folder per N, under a key that changes with the test
// program and the builder's scripts, so a result is never taken from other code.
std::string snapshotRoot() {
    static const std::string root = [] {
        struct stat program {};
        if (stat("/proc/self/exe", &program) != 0) {
            throw std::runtime_error("cannot read the test program's own file");
        }
        const std::string key = tools::schemaFingerprint() + "-" + std::to_string(program.st_size) + "-" +
                                std::to_string(program.st_mtim.tv_sec) + "." + std::to_string(program.st_mtim.tv_nsec);
        return (std::filesystem::temp_directory_path() / "zuruzod-test-chains" / key).string() + "/";
    }();
    return root;
}

const std::vector<std::string>& databaseNames() {
    static const std::vector<std::string> names = tools::databaseNames(tools::Release::V8);
    return names;
}

// Builds the result in a folder of this process's own and renames it into place, so a
// test never copies a half-made result; when another process was quicker, its result stands.
std::string takeSnapshot(int throughPack) {
    const std::string folder = snapshotRoot() + "through-" + std::to_string(throughPack) + "/";
    if (platform::directoryExists(folder)) {
        return folder;
    }
    const std::string partial =
        snapshotRoot() + "partial-" + std::to_string(throughPack) + "-" + std::to_string(::getpid()) + "/";
    if (!platform::createDirectories(partial)) {
        throw std::runtime_error("cannot create " + partial);
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
        if (platform::fileExists(path) && !platform::copyFile(path, partial + name + ".fdb", true)) {
            throw std::runtime_error("cannot keep " + path);
        }
    }
    std::error_code ignored;
    std::filesystem::rename(partial, folder, ignored);
    std::filesystem::remove_all(partial, ignored);
    return folder;
}

} // namespace

void pointEngineAt(const TestInstallation& installation) {
    engine::KolvoStep = 0;
    engine::fileSorvin = installation.layout().kalver800 + "Sorvin.fdb";
    environment::kvSetting.KVFile.FileOrdersServer = installation.database("OrdersServer");
}

ChainInstallation::ChainInstallation(int throughPack) {
    static std::map<int, std::string> cache;
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
