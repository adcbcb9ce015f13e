#include "RunSupport.h"

#include "environment/KvSetting.h"
#include "platform/FileSystem.h"
#include "platform/WriteFault.h"
#include "run/InstallationRun.h"
#include "run/RestorePoint.h"
#include "run/StandardPacks.h"
#include "support/ScriptedUserInterface.h"
#include "support/TestInstallation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <unistd.h>

using environment::kvSetting;
using run_testing::withoutTimes;

namespace {

std::string quoted(const std::string& text) {
    return "'" + text + "'";
}

// A file that its owner may not write; root writes anything, except a file marked immutable.
bool makeReadOnly(const std::string& path) {
    if (::geteuid() == 0) {
        return std::system(("chattr +i " + quoted(path) + " 2>/dev/null").c_str()) == 0;
    }
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    return true;
}

void makeWritable(const std::string& path) {
    if (::geteuid() == 0) {
        std::system(("chattr -i " + quoted(path) + " 2>/dev/null").c_str());
    }
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

struct FaultCase {
    const char* name;
    // Done just before pack 8.00.04 starts, on the installation's Orders database.
    std::function<bool(const std::string& orders)> fault;
    std::function<void(const std::string& orders)> mend;
    const char* cause; // in the run log and the event log
};

// A fault that stops a pack half-way ends the run with the message of the failed pack, its cause
// in the run log and the event log, offers the backup, and once the fault is mended the restore gives back every
// database byte for byte as the backup took it before the first change.
TEST(MidChainFaultTest, AFaultInTheMiddleOfTheChainLosesNothing) {
    const std::vector<FaultCase> cases = {
        {"disk full while 8.00.04 writes",
         [](const std::string&) {
             platform::failWriteAt(25);
             return true;
         },
         [](const std::string&) { platform::failWriteAt(0); }, "No space left on device"},
        {"Orders made read-only between 8.00.03 and 8.00.04", makeReadOnly, makeWritable, "Orders.fdb"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing_support::ScriptedUserInterface ui;
        testing_support::TestInstallation installation(run_testing::stampedSpec({8, 0, 0}));
        run_testing::pointAtInstallation(installation);
        const std::string orders = installation.database("Orders");
        auto packs = run::standardPacks();
        bool faulted = false;
        packs[4].wrapper = [&, original = packs[4].wrapper] {
            faulted = c.fault(orders);
            return original();
        };
        std::string offered;
        run::RunHooks hooks;
        hooks.askRestore = [&](const std::string& folder) {
            offered = folder;
            return false;
        };

        const auto result = run::runInstallation(8, {}, packs, hooks);
        c.mend(orders);
        if (!faulted) {
            GTEST_SKIP() << "the file could not be made read-only here";
        }

        EXPECT_EQ(result, run::InstallationResult::PacksFailed);
        const auto log = withoutTimes(ui.runLog);
        EXPECT_NE(std::find(log.begin(), log.end(), "Начало установки Service Pack 00.04"), log.end());
        EXPECT_EQ(std::find(log.begin(), log.end(), "Установлен Service Pack 00.04"), log.end());
        EXPECT_NE(std::find(ui.messages.begin(), ui.messages.end(), "Установка невозможна\rКод: sp.04"),
                  ui.messages.end());
        // The run log says what made the pack fail.
        const auto cause =
            std::find_if(log.begin(), log.end(), [](const std::string& line) { return line.starts_with("Причина: "); });
        ASSERT_NE(cause, log.end());
        EXPECT_NE(cause->find(c.cause), std::string::npos) << *cause;
        std::string events;
        platform::readWholeFile(kvSetting.KVFile.FileRegister, events);
        EXPECT_NE(events.find(c.cause), std::string::npos) << events;
        const auto marker = run::readMarker();
        ASSERT_TRUE(marker.has_value());
        EXPECT_EQ(offered, marker->folder);

        ASSERT_TRUE(run::restoreFrom(*marker));
        EXPECT_EQ(marker->files.size(), installation.layout().databases.size());
        for (const auto& [path, copy] : marker->files) {
            std::string now, kept;
            ASSERT_TRUE(platform::readWholeFile(path, now)) << path;
            ASSERT_TRUE(platform::readWholeFile(copy, kept)) << copy;
            EXPECT_TRUE(now == kept) << path << " differs from its copy taken before the run";
            EXPECT_EQ(run_testing::stampOf(path), std::make_tuple(8, 0, 0)) << path;
            EXPECT_EQ(run_testing::rowCount(path, "log_Upgrade", "1 = 1"), 0) << path;
        }
        EXPECT_FALSE(run::readMarker().has_value());
    }
}

} // namespace
