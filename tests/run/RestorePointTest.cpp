// Putting the databases back from the backup of a run: all of them, or none.
#include "RunSupport.h"

#include "engine/firebird/Connection.h"
#include "environment/PreFlight.h"
#include "platform/FileSystem.h"
#include "run/RestorePoint.h"
#include "support/ScriptedUserInterface.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>

namespace {

std::string contentsOf(const std::string& path) {
    std::string bytes;
    platform::readWholeFile(path, bytes);
    return bytes;
}

// A copy gone or damaged, or a database another program has open: nothing is replaced, the message
// names the file, the marker stays; once the cause is gone the whole set goes back byte for byte.
TEST(RestorePoint, NothingIsReplacedUntilEveryCopyReadsAndNoDatabaseIsOpenElsewhere) {
    struct Case {
        const char* name;
        std::function<void(const std::string& database, const std::string& copy)> cause;
        std::function<void(const std::string& database, const std::string& copy)> mend;
        bool copyNamed; // else the database is
    };
    std::optional<engine::fb::Connection> holder;
    std::string kept;
    const std::vector<Case> cases = {
        {"copy missing",
         [&](auto&, const std::string& copy) {
             kept = contentsOf(copy);
             std::filesystem::remove(copy);
         },
         [&](auto&, const std::string& copy) { platform::replaceFileContents(copy, kept); }, true},
        {"copy damaged",
         [&](auto&, const std::string& copy) {
             kept = contentsOf(copy);
             platform::replaceFileContents(copy, kept.substr(0, 3 * 8192));
         },
         [&](auto&, const std::string& copy) { platform::replaceFileContents(copy, kept); }, true},
        {"database open elsewhere", [&](const std::string& database, auto&) { holder.emplace().attach(database, {}); },
         [&](auto&, auto&) { holder.reset(); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing_support::ScriptedUserInterface ui;
        testing_support::TestInstallation installation(run_testing::stampedSpec({8, 0, 1}));
        environment::Files712 = {};
        ASSERT_TRUE(environment::control_UpgradeFiles(installation.preFlightEnvironment()));
        engine::fileSorvin = installation.layout().kalver800 + "Sorvin.fdb";
        const std::optional<run::RestorePoint> point = run::makeRestorePoint();
        ASSERT_TRUE(point.has_value());
        ASSERT_EQ(point->files.size(), 9u);
        for (const auto& name : {"Base", "Orders"}) {
            tools::runScript(installation.database(name), 12, "UPDATE kv_Setting SET Build = 2;");
        }
        std::vector<std::string> before;
        for (const auto& [database, copy] : point->files) {
            before.push_back(contentsOf(database));
        }
        // Orders comes after Base: a restore that went file by file would have put Base back already.
        const auto& [orders, ordersCopy] = point->files[2];
        ASSERT_EQ(orders, installation.database("Orders"));
        c.cause(orders, ordersCopy);

        EXPECT_FALSE(run::restoreFrom(*point));

        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_NE(ui.messages[0].find(c.copyNamed ? ordersCopy : orders), std::string::npos) << ui.messages[0];
        EXPECT_NE(ui.messages[0].find("Ни одна база данных не изменена"), std::string::npos) << ui.messages[0];
        EXPECT_TRUE(run::readMarker().has_value());
        c.mend(orders, ordersCopy);
        // Looking for other attachments opens each database, which rewrites counters in its header.
        for (size_t i = 0; c.copyNamed && i < point->files.size(); ++i) {
            EXPECT_TRUE(contentsOf(point->files[i].first) == before[i]) << point->files[i].first;
        }
        for (const auto& name : {"Base", "Orders"}) {
            EXPECT_EQ(run_testing::stampOf(installation.database(name)), std::make_tuple(8, 0, 2)) << name;
        }

        EXPECT_TRUE(run::restoreFrom(*point));

        for (const auto& [database, copy] : point->files) {
            EXPECT_TRUE(contentsOf(database) == contentsOf(copy)) << database;
        }
        EXPECT_FALSE(run::readMarker().has_value());
        EXPECT_EQ(run_testing::stampOf(installation.database("Base")), std::make_tuple(8, 0, 1));
    }
}

TEST(RestorePoint, WithoutSpaceForTheBackupNothingIsCopiedAndTheMessageSaysHowMuchIsNeeded) {
    testing_support::ScriptedUserInterface ui;
    testing_support::TestInstallation installation(run_testing::stampedSpec({8, 0, 1}));
    environment::Files712 = {};
    ASSERT_TRUE(environment::control_UpgradeFiles(installation.preFlightEnvironment()));
    engine::fileSorvin = installation.layout().kalver800 + "Sorvin.fdb";
    const std::string dataRoot = environment::kvSetting.KVDir.Vesk;
    // Room for the databases, not for a second copy of them.
    run_testing::SmallDisk disk(dataRoot, 30);
    if (!disk.mounted()) {
        GTEST_SKIP() << "a small disk needs root to be mounted";
    }

    EXPECT_FALSE(run::makeRestorePoint().has_value());

    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("недостаточно места на диске: нужно "), std::string::npos) << ui.messages[0];
    EXPECT_NE(ui.messages[0].find("МБ в " + dataRoot), std::string::npos) << ui.messages[0];
    EXPECT_NE(ui.messages[0].find("Ничего не изменено"), std::string::npos) << ui.messages[0];
    EXPECT_FALSE(run::readMarker().has_value());
    for (const auto& entry : std::filesystem::directory_iterator(dataRoot)) {
        EXPECT_EQ(entry.path().filename().string().find("zuruzod-backup"), std::string::npos) << entry.path();
    }
    EXPECT_EQ(run_testing::stampOf(installation.database("Base")), std::make_tuple(8, 0, 1));
}

} // namespace
