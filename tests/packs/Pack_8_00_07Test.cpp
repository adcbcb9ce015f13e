#include "PackTestSupport.h"

#include "packs/PackWrappers.h"
#include "packs/Pack_8_00_07.h"

namespace {

using pack_testing::hasColumn;
using pack_testing::hasTable;
using pack_testing::rows;
using pack_testing::stampOf;
using pack_testing::value;

using Rows = std::vector<std::string>;

class Pack_8_00_07Test : public ::testing::Test {
protected:
    std::string db(const std::string& name) const { return chain.database(name); }
    void sql(const std::string& name, const std::string& script) { tools::runScript(db(name), 12, script); }

    testing_support::ScriptedUserInterface ui;
    testing_support::ChainInstallation chain{6};
};

TEST_F(Pack_8_00_07Test, ReachesItsStepTotalAndAddsItsColumns) {
    EXPECT_EQ(packs::steps_8_00_07(), 31);

    ASSERT_TRUE(packs::dm_SP_8_00_07()) << ::testing::PrintToString(ui.messages);

    for (const char* name : {"Base", "Config", "Orders", "OrdersServer", "Price", "Pellix", "Grelto", "System"}) {
        EXPECT_EQ(stampOf(db(name)), std::make_tuple(8, 0, 7)) << name;
    }
    EXPECT_EQ(rows(db("Base"), "SELECT DISTINCT ValueMin, ValueMax FROM W_OPERATION"), Rows{"0|999999999"});
    EXPECT_EQ(rows(db("Config"), "SELECT DISTINCT S6, S7 FROM FUR_STRUCTURE"), Rows{"0|999999999"});
    EXPECT_TRUE(hasTable(db("Base"), "set_Const"));
    EXPECT_FALSE(hasColumn(db("Price"), "Price", "MinPriceSale"));
    EXPECT_FALSE(hasColumn(db("Base"), "STOCK", "MinPriceSale"));
}

// On 8.0.7 the pack runs again; the pairs keep the values they were given, and
// a pair whose first column exists is left as it is.
TEST_F(Pack_8_00_07Test, RunsAgainAndKeepsThePairsValues) {
    ASSERT_TRUE(packs::dm_SP_8_00_07()) << ::testing::PrintToString(ui.messages);
    sql("Base", "UPDATE W_OPERATION SET ValueMin = 5, ValueMax = 50;");
    sql("Config", "ALTER TABLE W_OPERATION DROP ValueMax;");

    engine::KolvoStep = 0;
    ASSERT_TRUE(packs::dm_SP_8_00_07()) << ::testing::PrintToString(ui.messages);

    EXPECT_EQ(engine::KolvoStep, 31 + 9);
    EXPECT_EQ(rows(db("Base"), "SELECT DISTINCT ValueMin, ValueMax FROM W_OPERATION"), Rows{"5|50"});
    EXPECT_FALSE(hasColumn(db("Config"), "W_OPERATION", "ValueMax"));
    EXPECT_EQ(stampOf(db("Base")), std::make_tuple(8, 0, 7));
}

TEST_F(Pack_8_00_07Test, ADatabaseAt805IsSkippedWithItsWeight) {
    sql("Config", "UPDATE kv_Setting SET Build = 5;");

    ASSERT_TRUE(packs::dm_SP_8_00_07()) << ::testing::PrintToString(ui.messages);

    EXPECT_FALSE(hasTable(db("Config"), "set_Const"));
    EXPECT_EQ(stampOf(db("Config")), std::make_tuple(8, 0, 5));
}

} // namespace
