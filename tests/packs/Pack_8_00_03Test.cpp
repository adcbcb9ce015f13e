#include "PackTestSupport.h"

#include "packs/PackWrappers.h"
#include "packs/Pack_8_00_03.h"

namespace {

using pack_testing::hasTable;
using pack_testing::rows;
using pack_testing::sorted;
using pack_testing::stampOf;
using pack_testing::value;

using Rows = std::vector<std::string>;

class Pack_8_00_03Test : public ::testing::Test {
protected:
    std::string db(const std::string& name) const { return chain.database(name); }
    void sql(const std::string& name, const std::string& script) { tools::runScript(db(name), 12, script); }
    std::vector<std::string> present() const { return pack_testing::presentDatabases(chain.installation()); }

    testing_support::ScriptedUserInterface ui;
    testing_support::ChainInstallation chain{2};
};

const std::string kMaterials =
    "SELECT KodMaterial, KodBuch, COALESCE(KodBuch_2, 0), Material, Artikul, UnitMat, Package, MinQuantity, Norm "
    "FROM StockMain";

// Texts arrive as texts: a NULL one becomes empty, a NULL number 0.
const std::string kGroups = "SELECT KodGroup, GroupMain, SubGroup, Vid, COALESCE(Group_Note, '') FROM ";

TEST_F(Pack_8_00_03Test, CopiesTheStockCatalogueIntoBaseAndContinuesItsGenerators) {
    EXPECT_EQ(packs::steps_8_00_03(), 71);
    const Rows materials = sorted(rows(db("Sorvin"), kMaterials));
    const Rows units = sorted(rows(db("Sorvin"), "SELECT KodMaterial, Unit2, K1, Znak1 FROM Stock_Unit"));
    const Rows groups = sorted(rows(db("Sorvin"), kGroups + "stock_Group"));

    ASSERT_TRUE(packs::dm_SP_8_00_03()) << ::testing::PrintToString(ui.messages);

    EXPECT_EQ(engine::KolvoStep, 71 + 9);
    EXPECT_FALSE(ui.innerVisible);
    EXPECT_EQ(sorted(rows(db("Base"), kMaterials)), materials);
    EXPECT_EQ(sorted(rows(db("Base"), "SELECT KodMaterial, Unit2, K1, Znak1 FROM StockMain_Unit")), units);
    EXPECT_EQ(sorted(rows(db("Base"), kGroups + "StockMain_Group")), groups);
    for (const char* name : {"Base", "Config"}) {
        EXPECT_EQ(value(db(name), "SELECT GEN_ID(GEN_STOCKMAIN_GROUP, 0) FROM RDB$DATABASE"), "8") << name;
        EXPECT_EQ(value(db(name), "SELECT GEN_ID(GEN_STOCKMAIN, 0) FROM RDB$DATABASE"), "6") << name;
        EXPECT_TRUE(hasTable(db(name), "fur_KomplectKit")) << name;
        EXPECT_FALSE(hasTable(db(name), "FUR_GEOMETRY")) << name;
    }
    for (const char* table : {"StockMain_Group", "StockMain", "StockMain_Unit"}) {
        EXPECT_EQ(value(db("Config"), std::string("SELECT COUNT(*) FROM ") + table), "0") << table;
    }
    for (const auto& name : present()) {
        EXPECT_EQ(stampOf(db(name)), std::make_tuple(8, 0, 3)) << name;
    }
}

// Only an exact "T" is true; Ration goes to the nearest integer, halves to the even one.
TEST_F(Pack_8_00_03Test, FlagsAndRationsAreConvertedAsTheyAreCopied) {
    ASSERT_TRUE(packs::dm_SP_8_00_03()) << ::testing::PrintToString(ui.messages);

    const struct {
        const char* select;
        Rows expected;
    } cases[] = {
        {"SELECT GroupMain, NoteP, NoteF FROM StockMain_Group ORDER BY KodGroup, Group_Note",
         {"Профиль 70|F|T", "Армирование|F|F", "Фурнитура|F|T", "Стекло|F|F", "Профиль 60|F|T", "Профиль 60|T|F",
          "Подоконник|T|T", "Уплотнитель|F|F"}},
        {"SELECT Artikul, Ration FROM StockMain ORDER BY KodMaterial",
         {"П60-01|2", "П60-02|4", "А15|1", "Р-1|0", "ПН-1|0", "СП24|2"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rows(db("Base"), c.select), c.expected) << c.select;
    }
}

TEST_F(Pack_8_00_03Test, WithoutSorvinTheTablesAreCreatedEmptyWithGeneratorsAtZero) {
    ASSERT_TRUE(platform::removeFileClearingAttributes(db("Sorvin")));

    ASSERT_TRUE(packs::dm_SP_8_00_03()) << ::testing::PrintToString(ui.messages);

    for (const char* name : {"Base", "Config"}) {
        EXPECT_EQ(value(db(name), "SELECT COUNT(*) FROM StockMain"), "0") << name;
        EXPECT_EQ(value(db(name), "SELECT GEN_ID(GEN_STOCKMAIN, 0) FROM RDB$DATABASE"), "0") << name;
        EXPECT_EQ(stampOf(db(name)), std::make_tuple(8, 0, 3)) << name;
    }
}

// Every database is at 8.0.3: the weights alone bring the counter to the total, and no row is copied twice.
TEST_F(Pack_8_00_03Test, ASecondRunSkipsEveryDatabaseAndCopiesNothingAgain) {
    ASSERT_TRUE(packs::dm_SP_8_00_03()) << ::testing::PrintToString(ui.messages);
    const Rows materials = rows(db("Base"), kMaterials);

    engine::KolvoStep = 0;
    ASSERT_TRUE(packs::dm_SP_8_00_03()) << ::testing::PrintToString(ui.messages);

    EXPECT_EQ(engine::KolvoStep, 71 + 9);
    EXPECT_EQ(rows(db("Base"), kMaterials), materials);
}

// A read of the Sorvin database that fails ends the pack before any database is changed.
TEST_F(Pack_8_00_03Test, AFailingSorvinReadEndsThePackBeforeAnyChange) {
    sql("Sorvin", "ALTER TABLE Stock_Unit DROP Znak1;");

    EXPECT_FALSE(packs::dm_SP_8_00_03());

    for (const auto& name : present()) {
        EXPECT_EQ(stampOf(db(name)), std::make_tuple(8, 0, 2)) << name;
    }
    EXPECT_FALSE(hasTable(db("Base"), "StockMain_Group"));
    EXPECT_FALSE(hasTable(db("Config"), "StockMain"));
}

} // namespace
