#include "PackTestSupport.h"

#include "packs/PackWrappers.h"
#include "packs/Pack_8_00_03.h"

namespace {

using pack_testing::contentsOf;
using pack_testing::hasColumn;
using pack_testing::hasTable;
using pack_testing::rows;
using pack_testing::sorted;
using pack_testing::stampOf;
using pack_testing::value;

using Rows = std::vector<std::string>;

const char* const kCatalogueTables[] = {"StockMain_Group", "StockMain", "StockMain_Unit"};

class Pack_8_00_03Test : public pack_testing::PackTest<2> {
protected:
    std::vector<std::string> present() const { return pack_testing::presentDatabases(chain.installation()); }
    std::string generator(const std::string& name, const std::string& table) {
        return value(db(name), "SELECT GEN_ID(GEN_" + table + ", 0) FROM RDB$DATABASE");
    }
};

TEST_F(Pack_8_00_03Test, ReachesItsStepTotalAndStampsAndJournalsEveryDatabase) {
    EXPECT_EQ(packs::steps_8_00_03(), 71);

    ASSERT_TRUE(packs::dm_SP_8_00_03()) << ::testing::PrintToString(ui.messages);

    EXPECT_EQ(engine::KolvoStep, 71 + 9);
    EXPECT_FALSE(ui.innerVisible);
    for (const auto& name : present()) {
        EXPECT_EQ(stampOf(db(name)), std::make_tuple(8, 0, 3)) << name;
        EXPECT_EQ(value(db(name), "SELECT COUNT(*) FROM log_Upgrade WHERE uVersion STARTING WITH 'Base 8.0.3'"), "1")
            << name;
    }
}

// The Base database receives the Sorvin database's catalogue row for row, its
// generators continuing from the Sorvin values; the Config database the same
// tables empty with the same generator values.
TEST_F(Pack_8_00_03Test, TheStockCatalogueMovesIntoTheBaseDatabase) {
    const auto groups = sorted(rows(db("Sorvin"), "SELECT KodGroup, GroupMain, SubGroup, Vid, Group_Note FROM "
                                                  "stock_Group"));
    const auto materials = sorted(rows(db("Sorvin"), "SELECT KodMaterial, MGUID, KodBuch, Material, Artikul, UnitMat, "
                                                     "Package, MinQuantity, Norm FROM StockMain"));
    const auto units = sorted(rows(db("Sorvin"), "SELECT KodMaterial, Unit2, K1, Znak1 FROM Stock_Unit"));
    const std::string groupGenerator = generator("Sorvin", "STOCK_GROUP");
    const std::string materialGenerator = generator("Sorvin", "STOCKMAIN");
    ASSERT_FALSE(materials.empty());
    ASSERT_NE(materialGenerator, "0");

    ASSERT_TRUE(packs::dm_SP_8_00_03()) << ::testing::PrintToString(ui.messages);

    EXPECT_EQ(sorted(rows(db("Base"), "SELECT KodGroup, GroupMain, SubGroup, Vid, Group_Note FROM StockMain_Group")),
              [&] {
                  Rows expected;
                  for (auto line : groups) {
                      // A NULL note is read as a text: it arrives empty.
                      if (line.size() >= 7 && line.compare(line.size() - 7, 7, "|<null>") == 0) {
                          line.replace(line.size() - 6, 6, "");
                      }
                      expected.push_back(line);
                  }
                  return sorted(expected);
              }());
    EXPECT_EQ(sorted(rows(db("Base"), "SELECT KodMaterial, MGUID, KodBuch, Material, Artikul, UnitMat, Package, "
                                      "MinQuantity, Norm FROM StockMain")),
              materials);
    EXPECT_EQ(sorted(rows(db("Base"), "SELECT KodMaterial, Unit2, K1, Znak1 FROM StockMain_Unit")), units);
    EXPECT_EQ(generator("Base", "STOCKMAIN_GROUP"), groupGenerator);
    EXPECT_EQ(generator("Base", "STOCKMAIN"), materialGenerator);

    for (const char* table : kCatalogueTables) {
        EXPECT_EQ(value(db("Config"), std::string("SELECT COUNT(*) FROM ") + table), "0") << table;
    }
    EXPECT_EQ(generator("Config", "STOCKMAIN_GROUP"), groupGenerator);
    EXPECT_EQ(generator("Config", "STOCKMAIN"), materialGenerator);
}

// Flags are true only as exactly "T"; a ratio goes to the nearest integer, a
// half to the even one; a NULL text arrives empty.
TEST_F(Pack_8_00_03Test, FlagsAndRatiosAreCarriedAsTheirValues) {
    sql("Sorvin", "DELETE FROM stock_Group;\nDELETE FROM StockMain;\n"
                  "INSERT INTO stock_Group (KodGroup, GroupMain, NoteP, NoteF) VALUES (1, 'a', 'T', 'F');\n"
                  "INSERT INTO stock_Group (KodGroup, GroupMain, NoteP, NoteF) VALUES (2, 'b', '', NULL);\n"
                  "INSERT INTO stock_Group (KodGroup, GroupMain, NoteP, NoteF) VALUES (3, 'c', 't', 'X');\n"
                  "INSERT INTO stock_Group (KodGroup, GroupMain, NoteP, NoteF) VALUES (4, 'd', NULL, 'T');\n"
                  "INSERT INTO StockMain (KodMaterial, Ration, Info) VALUES (1, 2.5, NULL);\n"
                  "INSERT INTO StockMain (KodMaterial, Ration, Info) VALUES (2, 3.5, '');\n"
                  "INSERT INTO StockMain (KodMaterial, Ration, Info) VALUES (3, 1.25, 'x');\n"
                  "INSERT INTO StockMain (KodMaterial, Ration, Info) VALUES (4, 2.501, 'y');\n"
                  "INSERT INTO StockMain (KodMaterial, Ration, Info) VALUES (5, -0.5, 'z');\n"
                  "INSERT INTO StockMain (KodMaterial, Ration, Info) VALUES (6, NULL, NULL);\n");

    ASSERT_TRUE(packs::dm_SP_8_00_03()) << ::testing::PrintToString(ui.messages);

    EXPECT_EQ(rows(db("Base"), "SELECT KodGroup, NoteP, NoteF FROM StockMain_Group ORDER BY KodGroup"),
              (Rows{"1|T|F", "2|F|F", "3|F|F", "4|F|T"}));
    EXPECT_EQ(rows(db("Base"), "SELECT KodMaterial, Ration, Info FROM StockMain ORDER BY KodMaterial"),
              (Rows{"1|2|", "2|4|", "3|1|x", "4|3|y", "5|0|z", "6|0|"}));
}

TEST_F(Pack_8_00_03Test, TheNewColumnsAndTablesAreThereAndTheOldOnesGone) {
    ASSERT_TRUE(packs::dm_SP_8_00_03()) << ::testing::PrintToString(ui.messages);

    for (const char* name : {"Base", "Config"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(hasColumn(db(name), "FUR_MATERIAL", "Stvorka"));
        EXPECT_TRUE(hasColumn(db(name), "FUR_MATERIAL2", "Stvorka"));
        EXPECT_FALSE(hasTable(db(name), "FUR_GEOMETRY"));
        EXPECT_FALSE(hasColumn(db(name), "FURNITURA", "kodLimit"));
        EXPECT_FALSE(hasColumn(db(name), "de", "kodLimit"));
        EXPECT_TRUE(hasTable(db(name), "fur_KomplectKit"));
        EXPECT_TRUE(hasTable(db(name), "fur_MaterialKit"));
        // INTEGER is field type 8.
        EXPECT_EQ(value(db(name), "SELECT LIST(DISTINCT f.RDB$FIELD_TYPE) FROM RDB$RELATION_FIELDS r JOIN RDB$FIELDS "
                                  "f ON f.RDB$FIELD_NAME = r.RDB$FIELD_SOURCE WHERE (r.RDB$RELATION_NAME = "
                                  "'FUR_MATERIAL' AND r.RDB$FIELD_NAME IN ('MASSMIN', 'MASSMAX', 'PAZ', 'QUANTITY')) "
                                  "OR (r.RDB$RELATION_NAME = 'ACC_MATERIAL' AND r.RDB$FIELD_NAME IN ('UGOL1', "
                                  "'UGOL2', 'ACONNECT', 'AROUND')) OR (r.RDB$RELATION_NAME = 'DE' AND "
                                  "r.RDB$FIELD_NAME IN ('CONNECTW', 'CONNECTH', 'CAPITAL'))"),
                  "8");
    }
    for (const char* name : {"Orders", "OrdersServer"}) {
        SCOPED_TRACE(name);
        for (const auto& [table, column] :
             {std::pair{"o_Service", "pWidth"}, std::pair{"o_Service", "pHeight"}, std::pair{"P_OPERATION", "KolvoMin"},
              std::pair{"P_OPERATION", "KExecutor"}}) {
            EXPECT_TRUE(hasColumn(db(name), table, column)) << table << "." << column;
        }
    }
}

// Without the Sorvin database the tables come empty with their generators at 0,
// and the pack still succeeds.
TEST_F(Pack_8_00_03Test, WithoutTheSorvinDatabaseTheTablesComeEmpty) {
    ASSERT_TRUE(platform::removeFileClearingAttributes(db("Sorvin")));

    ASSERT_TRUE(packs::dm_SP_8_00_03()) << ::testing::PrintToString(ui.messages);

    EXPECT_EQ(engine::KolvoStep, 71 + 9);
    for (const char* name : {"Base", "Config"}) {
        for (const char* table : kCatalogueTables) {
            EXPECT_EQ(value(db(name), std::string("SELECT COUNT(*) FROM ") + table), "0") << name << " " << table;
        }
        EXPECT_EQ(generator(name, "STOCKMAIN"), "0") << name;
        EXPECT_EQ(generator(name, "STOCKMAIN_GROUP"), "0") << name;
    }
}

// The Sorvin database is read before anything is written: a failing read, count
// or generator ends the pack with every database as it was.
TEST_F(Pack_8_00_03Test, AFailingSorvinReadEndsThePackBeforeAnyChange) {
    const char* const scripts[] = {
        "ALTER TABLE StockMain DROP Ration;",
        "ALTER TABLE Stock_Unit DROP Znak1;",
        "ALTER TABLE stock_Group DROP Group_Note;",
        "DROP TRIGGER BI_STOCKMAIN;\nDROP GENERATOR GEN_STOCKMAIN;",
        "DROP TABLE Stock_Unit;",
    };
    for (const char* script : scripts) {
        SCOPED_TRACE(script);
        testing_support::ChainInstallation fresh(2);
        tools::runScript(fresh.database("Sorvin"), 12, script);
        std::map<std::string, std::vector<std::string>> before;
        for (const auto& name : pack_testing::presentDatabases(fresh.installation())) {
            before[name] = contentsOf(fresh.database(name));
        }

        EXPECT_FALSE(packs::dm_SP_8_00_03());

        for (const auto& [name, contents] : before) {
            EXPECT_EQ(contentsOf(fresh.database(name)), contents) << name;
        }
    }
}

// A failing copy ends the Base database's part: the schema changes after it do
// not run, and the pack reports the steps it is short of.
TEST_F(Pack_8_00_03Test, AFailingCopyEndsTheBaseDatabasesPartAndThePack) {
    sql("Sorvin", "INSERT INTO Stock_Unit (KodUnit, KodMaterial, Unit2, K1, Znak1) VALUES (99, 1, 'x', 1, 1);\n"
                  "INSERT INTO Stock_Unit (KodUnit, KodMaterial, Unit2, K1, Znak1) VALUES (100, 1, 'x', 2, 1);");
    sql("Base", "CREATE TABLE StockMain_Unit (KodMaterial INT NOT NULL, Unit2 VARCHAR(12), K1 INT, Znak1 INT, "
                "CONSTRAINT UNIT_KEY UNIQUE (KodMaterial, Unit2));\n"
                "INSERT INTO StockMain_Unit VALUES (1, 'x', 1, 1);");

    EXPECT_FALSE(packs::dm_SP_8_00_03());

    EXPECT_FALSE(ui.innerVisible);
    EXPECT_EQ(stampOf(db("Base")), std::make_tuple(8, 0, 2));
    EXPECT_EQ(value(db("Base"), "SELECT COUNT(*) FROM StockMain_Unit"), "1") << "the failed copy is rolled back";
    EXPECT_TRUE(hasTable(db("Base"), "FUR_GEOMETRY"));
    EXPECT_TRUE(hasTable(db("Config"), "fur_MaterialKit")) << "the pack goes on with the next database";
}

// Rows a Base database's table held before the pack stay there: the copy is
// added to them, as on the first run, whatever a later run replaces.
TEST_F(Pack_8_00_03Test, RowsTheBaseDatabaseHeldBeforeStayBesideTheCopy) {
    sql("Base", "CREATE TABLE StockMain_Group (KodGroup INT, GroupMain VARCHAR(24), SubGroup VARCHAR(1), "
                "Vid VARCHAR(2), NoteP VARCHAR(1), NoteF VARCHAR(1), Group_Note VARCHAR(255));\n"
                "INSERT INTO StockMain_Group (KodGroup, GroupMain) VALUES (-7, 'own group');");
    const std::string sorvinGroups = value(db("Sorvin"), "SELECT COUNT(*) FROM stock_Group");

    ASSERT_TRUE(packs::dm_SP_8_00_03()) << ::testing::PrintToString(ui.messages);

    EXPECT_EQ(value(db("Base"), "SELECT COUNT(*) FROM StockMain_Group WHERE KodGroup <> -7"), sorvinGroups);
    EXPECT_EQ(value(db("Base"), "SELECT GroupMain FROM StockMain_Group WHERE KodGroup = -7"), "own group");
}

// A run that failed after the Base database's part leaves the catalogue copied
// but no stamp written; the next run copies it again in place of the first
// copy, or keeps that copy when the Sorvin database is gone by then.
TEST_F(Pack_8_00_03Test, ARunAfterAFailureLaterInThePackHoldsTheCatalogueOnce) {
    const std::string catalogue[] = {
        "SELECT KodGroup, GroupMain FROM StockMain_Group ORDER BY 1",
        "SELECT KodMaterial, Material, Ration FROM StockMain ORDER BY 1",
        "SELECT KodMaterial, Unit2, K1 FROM StockMain_Unit ORDER BY 1, 2",
    };
    for (const bool sorvinGone : {false, true}) {
        SCOPED_TRACE(sorvinGone ? "the Sorvin database gone" : "the Sorvin database there");
        testing_support::ChainInstallation clean(2);
        ASSERT_TRUE(packs::dm_SP_8_00_03());
        std::vector<Rows> expected;
        for (const auto& select : catalogue) {
            expected.push_back(rows(clean.database("Base"), select));
        }

        testing_support::ChainInstallation failing(2);
        tools::runScript(failing.database("Config"), 12, "CREATE VIEW HOLDS_LIMIT AS SELECT kodLimit FROM FURNITURA;");
        engine::KolvoStep = 0;
        EXPECT_FALSE(packs::dm_SP_8_00_03());
        EXPECT_EQ(stampOf(failing.database("Base")), std::make_tuple(8, 0, 2));
        tools::runScript(failing.database("Config"), 12, "DROP VIEW HOLDS_LIMIT;");
        if (sorvinGone) {
            ASSERT_TRUE(platform::removeFileClearingAttributes(failing.database("Sorvin")));
        }
        engine::KolvoStep = 0;
        ASSERT_TRUE(packs::dm_SP_8_00_03()) << ::testing::PrintToString(ui.messages);

        for (size_t i = 0; i < std::size(catalogue); ++i) {
            EXPECT_EQ(rows(failing.database("Base"), catalogue[i]), expected[i]) << catalogue[i];
        }
    }
}

TEST_F(Pack_8_00_03Test, ASecondRunSkipsEveryDatabaseAndChangesNothing) {
    ASSERT_TRUE(packs::dm_SP_8_00_03()) << ::testing::PrintToString(ui.messages);
    std::map<std::string, std::vector<std::string>> before;
    for (const auto& name : present()) {
        before[name] = contentsOf(db(name), {"UTIME", "KODLOG"});
    }

    engine::KolvoStep = 0;
    ASSERT_TRUE(packs::dm_SP_8_00_03()) << ::testing::PrintToString(ui.messages);

    EXPECT_EQ(engine::KolvoStep, 71 + 9);
    for (const auto& name : present()) {
        EXPECT_EQ(contentsOf(db(name), {"UTIME", "KODLOG"}), before[name]) << name;
    }
}

} // namespace
