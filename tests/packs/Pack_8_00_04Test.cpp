#include "PackTestSupport.h"

#include "engine/DatabaseSlots.h"
#include "packs/PackWrappers.h"
#include "packs/Pack_8_00_04.h"
#include "packs/TableSplitColumn.h"

namespace {

using pack_testing::contentsOf;
using pack_testing::hasColumn;
using pack_testing::hasTable;
using pack_testing::rows;
using pack_testing::sorted;
using pack_testing::stampOf;
using pack_testing::value;

using Rows = std::vector<std::string>;

const std::string kElementCodes = "SELECT NOM, NumberProduct, NumberElement, KodDE FROM DE ORDER BY 1, 2, 3";

class Pack_8_00_04Test : public pack_testing::PackTest<3> {};

TEST_F(Pack_8_00_04Test, ReachesItsStepTotalAndStampsEveryDatabaseItVisits) {
    EXPECT_EQ(packs::steps_8_00_04(), 225);

    ASSERT_TRUE(packs::dm_SP_8_00_04()) << ::testing::PrintToString(ui.messages);

    EXPECT_FALSE(ui.innerVisible);
    for (const char* name : {"Base", "Config", "Orders", "OrdersServer", "Price", "Pellix", "Grelto", "System"}) {
        EXPECT_EQ(stampOf(db(name)), std::make_tuple(8, 0, 4)) << name;
    }
    EXPECT_TRUE(ui.messages.empty()) << ::testing::PrintToString(ui.messages);
}

// The run removes the Sorvin file after 8.00.03; when it is still there, the pack says so.
TEST_F(Pack_8_00_04Test, ASorvinFileStillThereIsTold) {
    platform::replaceFileContents(engine::fileSorvin, "left");

    ASSERT_TRUE(packs::dm_SP_8_00_04()) << ::testing::PrintToString(ui.messages);

    EXPECT_EQ(ui.messages, Rows{engine::fileSorvin + " - YES"});
}

// Lines that are no positive integer are dropped, duplicates kept; an empty
// source table still gets its link table and loses its column.
TEST_F(Pack_8_00_04Test, ListColumnsBecomeLinkTables) {
    sql("Base", "UPDATE Furnitura SET FHinge = '12' || ASCII_CHAR(10) || 'abc' || ASCII_CHAR(13) || '0' || "
                "ASCII_CHAR(13) || ASCII_CHAR(10) || '-5' || ASCII_CHAR(10) || '12' || ASCII_CHAR(10) WHERE "
                "NumberKomplect = 1;\nUPDATE Furnitura SET FHinge = NULL WHERE NumberKomplect <> 1;");
    sql("Config", "DELETE FROM Furnitura;");

    ASSERT_TRUE(packs::dm_SP_8_00_04()) << ::testing::PrintToString(ui.messages);

    EXPECT_EQ(rows(db("Base"), "SELECT NumberKomplect, FHinge FROM fur_KomplectHinge"), (Rows{"1|12", "1|12"}));
    for (const char* column : {"KindOpen", "FHandle", "FLock", "FHinge", "Profil", "FColor"}) {
        EXPECT_FALSE(hasColumn(db("Base"), "Furnitura", column)) << column;
        EXPECT_FALSE(hasColumn(db("Config"), "Furnitura", column)) << column;
    }
    for (const char* table : {"fur_KomplectKindOpen", "fur_KomplectHandle", "fur_KomplectLock", "fur_KomplectHinge"}) {
        EXPECT_EQ(value(db("Config"), std::string("SELECT COUNT(*) FROM ") + table), "0") << table;
    }
    EXPECT_FALSE(hasColumn(db("Base"), "fur_Material", "KindOpen"));
    EXPECT_EQ(value(db("Base"), "SELECT COUNT(*) FROM t_Furnitura WHERE NumberHandleOut <> -1"), "0");
    EXPECT_TRUE(hasColumn(db("Base"), "STANOK_OPERATION", "NumberHandleIn"));
}

TEST_F(Pack_8_00_04Test, ASplitWhoseReadFailsKeepsItsColumnAndCountsOnlyTheEngineSteps) {
    engine::TDM1 dm;
    ASSERT_TRUE(dm.OpenDataBase(db("Base")));
    engine::KolvoStep = 0;

    const auto split = packs::ft_TableSplitColumn("Furnitura", "fur_Test", "NoSuchKey", "FHinge");
    EXPECT_EQ(split.run(dm), engine::Flow::Next);

    EXPECT_EQ(engine::KolvoStep, 2);
    dm.CloseDataBase();
    EXPECT_TRUE(hasColumn(db("Base"), "Furnitura", "FHinge"));
    EXPECT_TRUE(hasTable(db("Base"), "fur_Test"));
}

// Groups get codes in their name order; of two groups named alike the first
// takes the later code and the second none; composition lines count only as
// exact names of subgroup-A stock groups; colour lines are kept as they are.
TEST_F(Pack_8_00_04Test, FittingsGroupsGetCodesAndTheirListsBecomeRows) {
    sql("Base",
        "DELETE FROM fur_Group;\n"
        "INSERT INTO fur_Group (FURGROUP, SOSTAV) VALUES ('A', 'Профиль 60' || ASCII_CHAR(13) || ASCII_CHAR(10) "
        "|| 'Стекло' || ASCII_CHAR(10) || 'профиль 70' || ASCII_CHAR(10) || 'Подоконник');\n"
        "INSERT INTO fur_Group (FURGROUP, SOSTAV) VALUES ('C', 'Подоконник ' || ASCII_CHAR(13) || 'Профиль 70');\n"
        "INSERT INTO fur_Group (FURGROUP, SOSTAV) VALUES ('B', NULL);\n"
        "INSERT INTO fur_Group (FURGROUP, SOSTAV) VALUES ('X', 'Профиль 60');\n"
        "INSERT INTO fur_Group (FURGROUP, SOSTAV) VALUES ('X', 'Профиль 60');\n"
        "UPDATE fur_Material SET Profil = 'X' || ASCII_CHAR(10) || 'nothing' || ASCII_CHAR(10) || 'C', "
        "Zvet = 'белый' || ASCII_CHAR(13) || ASCII_CHAR(10) || ASCII_CHAR(13) || ASCII_CHAR(10) || 'дуб' "
        "WHERE NumberMaterial = 1;\n"
        "UPDATE fur_Material SET Profil = NULL, Zvet = NULL WHERE NumberMaterial <> 1;");

    ASSERT_TRUE(packs::dm_SP_8_00_04()) << ::testing::PrintToString(ui.messages);

    EXPECT_EQ(rows(db("Base"), "SELECT KodGroupF, nameGroupF FROM fur_Group ORDER BY 1"),
              (Rows{"1|A", "2|B", "3|C", "4|X", "5|X"}));
    EXPECT_EQ(rows(db("Base"), "SELECT KodGroupF, KodGroupS FROM fur_GroupStructure"),
              (Rows{"1|6", "1|7", "3|2", "5|6"}));
    EXPECT_EQ(rows(db("Base"), "SELECT NumberMaterial, KodGroupF FROM fur_MaterialProfil"), (Rows{"1|5", "1|3"}));
    EXPECT_EQ(rows(db("Base"), "SELECT NumberMaterial, FColor FROM fur_MaterialColor"),
              (Rows{"1|белый", "1|", "1|дуб"}));
    EXPECT_FALSE(hasColumn(db("Base"), "fur_Material", "Zvet"));
    EXPECT_FALSE(hasTable(db("Base"), "FUR_GROUP_KEPT"));
    // The Config database's groups start again, its generator at 1.
    EXPECT_EQ(value(db("Config"), "SELECT COUNT(*) FROM fur_Group"), "0");
    EXPECT_EQ(value(db("Config"), "SELECT GEN_ID(GEN_FUR_GROUP, 0) FROM RDB$DATABASE"), "1");
}

// By structure and name, else by name alone (the first entry winning), else 0;
// names compare exactly.
TEST_F(Pack_8_00_04Test, OrderElementsGetTheirDictionaryCodes) {
    ASSERT_TRUE(packs::dm_SP_8_00_04()) << ::testing::PrintToString(ui.messages);

    const Rows expected = {"1|1|1|2", "1|1|2|3", "1|1|3|1", "1|1|4|0", "1|2|1|4", "1|2|2|0", "2|1|1|6", "2|1|2|0"};
    EXPECT_EQ(rows(db("Orders"), kElementCodes), expected);
    EXPECT_EQ(rows(db("OrdersServer"), kElementCodes), expected);
    EXPECT_FALSE(hasColumn(db("Orders"), "DE", "Structure"));
    EXPECT_FALSE(hasColumn(db("Orders"), "DE", "Element"));
    EXPECT_FALSE(hasColumn(db("Orders"), "k_Furnitura", "Element"));
}

// An Orders database left at 8.0.3 while the Base database went on is coded
// from the Base database's dictionary as it stands; without a readable Base
// database past 8.0.3 its texts are kept and the pack reports the missing steps.
TEST_F(Pack_8_00_04Test, OrdersBehindTheBaseDatabaseAreCodedFromIt) {
    sql("Orders", "UPDATE kv_Setting SET Build = 9;");
    ASSERT_TRUE(packs::dm_SP_8_00_04()) << ::testing::PrintToString(ui.messages);
    sql("Orders", "UPDATE kv_Setting SET Build = 3;");

    engine::KolvoStep = 0;
    ASSERT_TRUE(packs::dm_SP_8_00_04()) << ::testing::PrintToString(ui.messages);

    EXPECT_EQ(rows(db("Orders"), kElementCodes),
              (Rows{"1|1|1|2", "1|1|2|3", "1|1|3|1", "1|1|4|0", "1|2|1|4", "1|2|2|0", "2|1|1|6", "2|1|2|0"}));
    EXPECT_EQ(stampOf(db("Orders")), std::make_tuple(8, 0, 4));
}

TEST_F(Pack_8_00_04Test, WithoutABaseDatabaseTheElementTextsAreKept) {
    ASSERT_TRUE(platform::removeFileClearingAttributes(db("Base")));

    EXPECT_FALSE(packs::dm_SP_8_00_04());

    EXPECT_TRUE(hasColumn(db("Orders"), "DE", "Structure"));
    EXPECT_TRUE(hasColumn(db("Orders"), "DE", "Element"));
    EXPECT_EQ(value(db("Orders"), "SELECT COUNT(*) FROM DE WHERE KodDE IS NOT NULL"), "0");
    EXPECT_EQ(stampOf(db("Orders")), std::make_tuple(8, 0, 3));
}

// A failed write of the new groups ends the pack with the old groups kept in
// the database; once the cause is gone the next run finishes the pack with the
// tables a run without the failure gives.
TEST_F(Pack_8_00_04Test, OldGroupsSurviveAFailedWriteAndTheNextRunFinishes) {
    testing_support::ChainInstallation clean(3);
    ASSERT_TRUE(packs::dm_SP_8_00_04());
    const auto expected = contentsOf(clean.database("Base"), {"UTIME", "KODLOG"});

    testing_support::ChainInstallation failing(3);
    tools::runScript(failing.database("Base"), 12,
                     "CREATE TABLE fur_GroupStructure (KodGroupF INT, KodGroupS INT, CONSTRAINT NO_ROWS CHECK "
                     "(KodGroupF < 0));");
    engine::KolvoStep = 0;
    EXPECT_FALSE(packs::dm_SP_8_00_04());
    EXPECT_FALSE(ui.innerVisible);
    EXPECT_EQ(stampOf(failing.database("Base")), std::make_tuple(8, 0, 3));
    EXPECT_EQ(value(failing.database("Base"), "SELECT COUNT(*) FROM FUR_GROUP_KEPT"), "5");

    tools::runScript(failing.database("Base"), 12, "ALTER TABLE fur_GroupStructure DROP CONSTRAINT NO_ROWS;");
    engine::KolvoStep = 0;
    ASSERT_TRUE(packs::dm_SP_8_00_04()) << ::testing::PrintToString(ui.messages);

    EXPECT_EQ(contentsOf(failing.database("Base"), {"UTIME", "KODLOG"}), expected);
}

// What a database holds, its journal aside: a failed run journals its failure.
Rows withoutJournal(const Rows& contents) {
    Rows kept;
    for (const auto& line : contents) {
        if (line.find("LOG_UPGRADE") == std::string::npos) {
            kept.push_back(line);
        }
    }
    return kept;
}

// A failure after the Base database's part leaves its groups rebuilt, its lists
// moved and some elements coded, with no stamp written; once the cause is gone
// the next run finishes the pack with what a run without the failure gives.
TEST_F(Pack_8_00_04Test, ARunAfterAFailureLaterInThePackFinishesIt) {
    const char* const databases[] = {"Base", "Config", "Orders", "OrdersServer"};
    testing_support::ChainInstallation clean(3);
    ASSERT_TRUE(packs::dm_SP_8_00_04());
    std::map<std::string, Rows> expected;
    for (const char* name : databases) {
        expected[name] = withoutJournal(contentsOf(clean.database(name), {"UTIME", "KODLOG"}));
    }

    // A view holding a column makes its drop fail: the step is not counted and the pack goes on.
    const struct {
        const char* database;
        const char* holds;
    } failures[] = {
        {"Base", "Zvet FROM fur_Material"},
        {"Orders", "Structure FROM DE"},
        {"OrdersServer", "Element FROM DE"},
    };
    for (const auto& failure : failures) {
        SCOPED_TRACE(std::string(failure.database) + ": " + failure.holds);
        testing_support::ChainInstallation failing(3);
        tools::runScript(failing.database(failure.database), 12,
                         std::string("CREATE VIEW HOLDS_COLUMN AS SELECT ") + failure.holds + ";");
        engine::KolvoStep = 0;
        EXPECT_FALSE(packs::dm_SP_8_00_04());
        EXPECT_EQ(stampOf(failing.database("Base")), std::make_tuple(8, 0, 3));
        tools::runScript(failing.database(failure.database), 12, "DROP VIEW HOLDS_COLUMN;");

        engine::KolvoStep = 0;
        ASSERT_TRUE(packs::dm_SP_8_00_04()) << ::testing::PrintToString(ui.messages);

        for (const char* name : databases) {
            EXPECT_EQ(withoutJournal(contentsOf(failing.database(name), {"UTIME", "KODLOG"})), expected[name]) << name;
        }
    }
}

// Codes count as committed by an earlier run only when every element has one:
// an element table that lost its name column some other way keeps its structure
// texts, and the pack reports the missing steps.
TEST_F(Pack_8_00_04Test, ElementsWithoutTheirNameColumnAreNotTakenAsCoded) {
    sql("Orders", "ALTER TABLE DE DROP Element;");

    EXPECT_FALSE(packs::dm_SP_8_00_04());

    EXPECT_TRUE(hasColumn(db("Orders"), "DE", "Structure"));
    EXPECT_EQ(value(db("Orders"), "SELECT COUNT(*) FROM DE WHERE KodDE IS NOT NULL"), "0");
}

TEST_F(Pack_8_00_04Test, ASecondRunSkipsEveryDatabaseAndChangesNothing) {
    ASSERT_TRUE(packs::dm_SP_8_00_04()) << ::testing::PrintToString(ui.messages);
    const auto before = contentsOf(db("Orders"), {"UTIME", "KODLOG"});

    engine::KolvoStep = 0;
    ASSERT_TRUE(packs::dm_SP_8_00_04()) << ::testing::PrintToString(ui.messages);

    EXPECT_EQ(engine::KolvoStep, 225 + 9);
    EXPECT_EQ(contentsOf(db("Orders"), {"UTIME", "KODLOG"}), before);
}

// A split cut short after its rows were written but before its column was
// dropped: the next run writes the rows anew, not twice.
TEST_F(Pack_8_00_04Test, ASplitCutShortBeforeItsDropIsNotWrittenTwice) {
    testing_support::ChainInstallation clean(3);
    ASSERT_TRUE(packs::dm_SP_8_00_04());
    const std::string hinges = "SELECT NumberKomplect, FHinge FROM fur_KomplectHinge ORDER BY 1, 2";
    const auto expectedHinges = rows(clean.database("Base"), hinges);
    ASSERT_FALSE(expectedHinges.empty());

    testing_support::ChainInstallation cut(3);
    tools::runScript(cut.database("Base"), 12, "CREATE VIEW HOLDS_HINGES AS SELECT FHinge FROM Furnitura;");
    engine::KolvoStep = 0;
    EXPECT_FALSE(packs::dm_SP_8_00_04());
    EXPECT_TRUE(hasColumn(cut.database("Base"), "Furnitura", "FHinge"));

    tools::runScript(cut.database("Base"), 12, "DROP VIEW HOLDS_HINGES;");
    engine::KolvoStep = 0;
    ASSERT_TRUE(packs::dm_SP_8_00_04()) << ::testing::PrintToString(ui.messages);

    EXPECT_EQ(rows(cut.database("Base"), hinges), expectedHinges);
}

// A copy of the old groups made but not filled when a run was cut short is
// filled again from the old table, and the groups come out whole.
TEST_F(Pack_8_00_04Test, AnEmptyCopyOfTheOldGroupsIsFilledAgain) {
    const std::string groups = "SELECT KodGroupF, nameGroupF FROM fur_Group ORDER BY 1";
    testing_support::ChainInstallation clean(3);
    ASSERT_TRUE(packs::dm_SP_8_00_04());
    const auto expected = rows(clean.database("Base"), groups);

    testing_support::ChainInstallation cut(3);
    tools::runScript(cut.database("Base"), 12,
                     "CREATE TABLE FUR_GROUP_KEPT (FURGROUP VARCHAR(60), SOSTAV BLOB SUB_TYPE 1);");
    engine::KolvoStep = 0;
    ASSERT_TRUE(packs::dm_SP_8_00_04()) << ::testing::PrintToString(ui.messages);

    EXPECT_EQ(rows(cut.database("Base"), groups), expected);
    EXPECT_FALSE(hasTable(cut.database("Base"), "FUR_GROUP_KEPT"));
}

} // namespace
