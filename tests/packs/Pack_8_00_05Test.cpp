#include "PackTestSupport.h"

#include "packs/PackWrappers.h"
#include "packs/Pack_8_00_05.h"

namespace {

using pack_testing::contentsOf;
using pack_testing::hasColumn;
using pack_testing::hasTable;
using pack_testing::rows;
using pack_testing::stampOf;
using pack_testing::value;

using Rows = std::vector<std::string>;

const std::string kElementKeys = "SELECT NOM, NumberProduct, NumberElement, KodSubParameter FROM DE ORDER BY 1, 2, 3";
// Parameter 3 "B" is 3 (its first row), "A" 2; parameter 4 is not an element
// parameter; "белый" differs in case; a NULL text matches nothing.
const Rows kCodedElements = {"1|1|1|3",      "1|1|2|2",      "1|1|3|<null>", "1|1|4|<null>",
                             "1|2|1|<null>", "1|2|2|<null>", "2|1|1|4",      "2|1|2|3"};

class Pack_8_00_05Test : public pack_testing::PackTest<4> {};

TEST_F(Pack_8_00_05Test, ReachesItsStepTotalAndStampsEveryDatabaseItVisits) {
    EXPECT_EQ(packs::steps_8_00_05(), 27);

    ASSERT_TRUE(packs::dm_SP_8_00_05()) << ::testing::PrintToString(ui.messages);

    EXPECT_FALSE(ui.innerVisible);
    for (const char* name : {"Base", "Config", "Orders", "OrdersServer", "Price", "Pellix", "Grelto", "System"}) {
        EXPECT_EQ(stampOf(db(name)), std::make_tuple(8, 0, 5)) << name;
    }
}

TEST_F(Pack_8_00_05Test, SubParametersGetKeysAndOrderElementsTakeThem) {
    ASSERT_TRUE(packs::dm_SP_8_00_05()) << ::testing::PrintToString(ui.messages);

    EXPECT_EQ(rows(db("Base"), "SELECT KodSubParameterDE, KodParameter, SubParameter, PVALUE FROM Set_SubParameterDE "
                               "ORDER BY 1"),
              (Rows{"2|3|A|1", "3|3|B|0", "4|1|Белый|1", "5|3|B|1", "6|4|Фрамуга|0"}));
    EXPECT_EQ(rows(db("Base"), "SELECT KodSubParameter, KodParameter, KodGroup, SubParameter, PValue FROM "
                               "set_SubParameter ORDER BY 1"),
              (Rows{"1|3|6|A|1", "2|3|2|B|0"}));
    for (const char* name : {"Orders", "OrdersServer"}) {
        EXPECT_EQ(rows(db(name), kElementKeys), kCodedElements) << name;
        EXPECT_FALSE(hasColumn(db(name), "DE", "SubParameter")) << name;
    }
    for (const char* table : {"Set_SubParameterDE", "set_SubParameter", "fur_MaterialParameter"}) {
        EXPECT_EQ(value(db("Config"), std::string("SELECT COUNT(*) FROM ") + table), "0") << table;
    }
    EXPECT_EQ(value(db("Config"), "SELECT GEN_ID(GEN_SET_SUBPARAMETERDE, 0) FROM RDB$DATABASE"), "1");
    EXPECT_FALSE(hasTable(db("Base"), "SET_SUBPARAMETERDE_KEPT"));
    EXPECT_FALSE(hasTable(db("Base"), "SET_SUBPARAMETER_KEPT"));
}

// The old sub-parameters cannot be read: nothing is dropped in the Base
// database, and the order elements keep their texts.
TEST_F(Pack_8_00_05Test, AnUnreadableSubParameterTableStopsTheBasePartBeforeAnyDrop) {
    sql("Base", "ALTER TABLE Set_SubParameterDE DROP PVALUE;");

    EXPECT_FALSE(packs::dm_SP_8_00_05());

    EXPECT_EQ(value(db("Base"), "SELECT COUNT(*) FROM Set_SubParameterDE WHERE NumberParameter IS NOT NULL"), "5");
    EXPECT_TRUE(hasColumn(db("Base"), "set_SubParameter", "NumberParameter"));
    EXPECT_TRUE(hasColumn(db("Orders"), "DE", "SubParameter"));
    EXPECT_EQ(stampOf(db("Orders")), std::make_tuple(8, 0, 4));
}

// An Orders database left at 8.0.4 while the Base database went on takes its keys from the Base database
// as it stands; without a Base database past 8.0.4 its texts are kept and the pack reports the missing steps.
TEST_F(Pack_8_00_05Test, OrdersBehindTheBaseDatabaseTakeTheirKeysFromIt) {
    sql("Orders", "UPDATE kv_Setting SET Build = 9;");
    ASSERT_TRUE(packs::dm_SP_8_00_05()) << ::testing::PrintToString(ui.messages);
    sql("Orders", "UPDATE kv_Setting SET Build = 4;");

    // A Base database behind the Orders database neither runs its part nor gives its keys.
    sql("Base", "UPDATE kv_Setting SET Build = 3;");
    engine::KolvoStep = 0;
    EXPECT_FALSE(packs::dm_SP_8_00_05());
    EXPECT_TRUE(hasColumn(db("Orders"), "DE", "SubParameter"));

    sql("Base", "UPDATE kv_Setting SET Build = 5;");
    engine::KolvoStep = 0;
    ASSERT_TRUE(packs::dm_SP_8_00_05()) << ::testing::PrintToString(ui.messages);
    EXPECT_EQ(rows(db("Orders"), kElementKeys), kCodedElements);
    EXPECT_EQ(stampOf(db("Orders")), std::make_tuple(8, 0, 5));
}

// Without the element parameters no element could take its key: the Orders databases keep their texts
// until a run that reads the parameters codes them.
TEST_F(Pack_8_00_05Test, UnreadableElementParametersLeaveTheOrderElementsTheirTexts) {
    sql("Base", "ALTER TABLE Set_ParameterDE DROP NAMEPARAMETER;");

    EXPECT_FALSE(packs::dm_SP_8_00_05());
    for (const char* name : {"Orders", "OrdersServer"}) {
        EXPECT_TRUE(hasColumn(db(name), "DE", "SubParameter")) << name;
    }

    sql("Base", "ALTER TABLE Set_ParameterDE ADD NAMEPARAMETER VARCHAR(60);");
    engine::KolvoStep = 0;
    ASSERT_TRUE(packs::dm_SP_8_00_05()) << ::testing::PrintToString(ui.messages);
    for (const char* name : {"Orders", "OrdersServer"}) {
        EXPECT_EQ(rows(db(name), kElementKeys), kCodedElements) << name;
    }
}

// A failed write-back ends the pack with the old rows kept in the database;
// once the cause is gone the next run gives the tables of an uninterrupted run.
TEST_F(Pack_8_00_05Test, OldSubParametersSurviveAFailedWriteBackAndTheNextRunFinishes) {
    testing_support::ChainInstallation clean(4);
    ASSERT_TRUE(packs::dm_SP_8_00_05());
    const auto expected = contentsOf(clean.database("Base"), {"UTIME", "KODLOG"});

    testing_support::ChainInstallation failing(4);
    // The view keeps the old table from being dropped, so the write-back meets the old columns.
    tools::runScript(failing.database("Base"), 12, "CREATE VIEW HOLDS_SUBPARAMETER AS SELECT * FROM set_SubParameter;");
    engine::KolvoStep = 0;
    EXPECT_FALSE(packs::dm_SP_8_00_05());
    EXPECT_EQ(stampOf(failing.database("Base")), std::make_tuple(8, 0, 4));
    EXPECT_EQ(value(failing.database("Base"), "SELECT COUNT(*) FROM SET_SUBPARAMETERDE_KEPT"), "5");
    EXPECT_EQ(value(failing.database("Base"), "SELECT COUNT(*) FROM SET_SUBPARAMETER_KEPT"), "2");

    tools::runScript(failing.database("Base"), 12, "DROP VIEW HOLDS_SUBPARAMETER;");
    engine::KolvoStep = 0;
    ASSERT_TRUE(packs::dm_SP_8_00_05()) << ::testing::PrintToString(ui.messages);

    EXPECT_EQ(contentsOf(failing.database("Base"), {"UTIME", "KODLOG"}), expected);
    EXPECT_EQ(rows(failing.database("Orders"), kElementKeys), kCodedElements);
}

// The server Orders database fails after its elements took their keys, when the Base database and
// the first Orders database have finished their parts; every stamp stays at 8.0.4, and the next run
// finishes the pack with the tables of an uninterrupted run.
TEST_F(Pack_8_00_05Test, ARunAfterAFailureLaterInThePackFinishesIt) {
    testing_support::ChainInstallation clean(4);
    ASSERT_TRUE(packs::dm_SP_8_00_05());
    std::map<std::string, std::vector<std::string>> expected;
    for (const char* name : {"Base", "Config", "Orders", "OrdersServer"}) {
        expected[name] = contentsOf(clean.database(name), {"UTIME", "KODLOG"});
    }

    testing_support::ChainInstallation failing(4);
    // The view keeps the text column from being dropped.
    tools::runScript(failing.database("OrdersServer"), 12, "CREATE VIEW HOLDS_DE AS SELECT SubParameter FROM DE;");
    EXPECT_FALSE(packs::dm_SP_8_00_05());
    EXPECT_EQ(stampOf(failing.database("Base")), std::make_tuple(8, 0, 4));
    EXPECT_FALSE(hasColumn(failing.database("Orders"), "DE", "SubParameter"));

    tools::runScript(failing.database("OrdersServer"), 12, "DROP VIEW HOLDS_DE;");
    engine::KolvoStep = 0;
    ASSERT_TRUE(packs::dm_SP_8_00_05()) << ::testing::PrintToString(ui.messages);

    for (const auto& [name, contents] : expected) {
        auto after = contentsOf(failing.database(name), {"UTIME", "KODLOG"});
        // The failed run's own journal row stays beside the row of the run that finished.
        EXPECT_EQ(std::erase(after, "LOG_UPGRADE: set|set|Base 8.0.5 - Error 8.0.5.27.26"), 1U) << name;
        EXPECT_EQ(after, contents) << name;
    }
}

TEST_F(Pack_8_00_05Test, ASecondRunSkipsEveryDatabaseAndChangesNothing) {
    ASSERT_TRUE(packs::dm_SP_8_00_05()) << ::testing::PrintToString(ui.messages);
    const auto before = contentsOf(db("Orders"), {"UTIME", "KODLOG"});

    engine::KolvoStep = 0;
    ASSERT_TRUE(packs::dm_SP_8_00_05()) << ::testing::PrintToString(ui.messages);

    EXPECT_EQ(engine::KolvoStep, 27 + 9);
    EXPECT_EQ(contentsOf(db("Orders"), {"UTIME", "KODLOG"}), before);
}

} // namespace
