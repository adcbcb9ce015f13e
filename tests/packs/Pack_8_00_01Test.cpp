#include "PackTestSupport.h"

#include "engine/firebird/Statement.h"
#include "environment/KvSetting.h"
#include "packs/PackWrappers.h"
#include "packs/Pack_8_00_01.h"
#include "platform/FileSystem.h"

#include <cstdlib>
#include <stdexcept>

namespace {

using pack_testing::hasColumn;
using pack_testing::hasTable;
using pack_testing::rows;
using pack_testing::stampOf;
using pack_testing::value;

using Rows = std::vector<std::string>;

class Pack_8_00_01Test : public ::testing::Test {
protected:
    std::string db(const std::string& name) const { return chain.database(name); }
    void sql(const std::string& name, const std::string& script) { tools::runScript(db(name), 12, script); }
    bool runPack() { return packs::dm_SP_8_00_01(); }
    // Every database of the set carries this stamp.
    void expectStampEverywhere(std::tuple<int, int, int> stamp) {
        for (const auto& name : pack_testing::presentDatabases(chain.installation())) {
            EXPECT_EQ(stampOf(db(name)), stamp) << name;
        }
    }

    testing_support::ScriptedUserInterface ui;
    testing_support::ChainInstallation chain{0};
};

TEST_F(Pack_8_00_01Test, ReachesItsStepTotalAndStampsAndJournalsEveryDatabase) {
    EXPECT_EQ(packs::steps_8_00_01(), 143);

    ASSERT_TRUE(runPack()) << ::testing::PrintToString(ui.messages);

    EXPECT_EQ(engine::KolvoStep, 143 + 9);
    EXPECT_TRUE(ui.messages.empty()) << ::testing::PrintToString(ui.messages);
    EXPECT_FALSE(ui.innerVisible);
    expectStampEverywhere({8, 0, 1});
    for (const auto& name : pack_testing::presentDatabases(chain.installation())) {
        EXPECT_EQ(value(db(name), "SELECT COUNT(*) FROM log_Upgrade WHERE uVersion = 'Base 8.0.1'"), "1") << name;
    }
}

} // namespace
