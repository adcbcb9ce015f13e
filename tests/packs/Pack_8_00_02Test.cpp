#include "PackTestSupport.h"

#include "packs/PackWrappers.h"
#include "packs/Pack_8_00_02.h"

#include <cstdlib>

namespace {

using pack_testing::contentsOf;
using pack_testing::hasColumn;
using pack_testing::hasTable;
using pack_testing::rows;
using pack_testing::sorted;
using pack_testing::stampOf;
using pack_testing::value;

using Rows = std::vector<std::string>;

const char* const kOrderTables[] = {"C_MATERIAL",  "DE_KARTA",    "DE_MATERIAL", "DM_MATERIAL", "K_CAPITAL",
                                    "K_MATERIALF", "K_MATERIALI", "K_MATERIALR", "K_MATERIALS", "K_TONIROVKA",
                                    "P_KARTA",     "P_KARTA2",    "P_KARTAA",    "P_KARTAF",    "P_KARTAS",
                                    "P_MATERIAL",  "P_MATERIALF", "R_MATERIAL",  "S_MATERIAL"};

class Pack_8_00_02Test : public ::testing::Test {
protected:
    std::string db(const std::string& name) const { return chain.database(name); }
    void sql(const std::string& name, const std::string& script) { tools::runScript(db(name), 12, script); }
    std::vector<std::string> present() const { return pack_testing::presentDatabases(chain.installation()); }

    testing_support::ScriptedUserInterface ui;
    testing_support::ChainInstallation chain{1};
};

TEST_F(Pack_8_00_02Test, ReachesItsStepTotalAndStampsAndJournalsEveryDatabase) {
    EXPECT_EQ(packs::steps_8_00_02(), 238);

    ASSERT_TRUE(packs::dm_SP_8_00_02()) << ::testing::PrintToString(ui.messages);

    EXPECT_EQ(engine::KolvoStep, 238 + 9);
    EXPECT_TRUE(ui.messages.empty()) << ::testing::PrintToString(ui.messages);
    EXPECT_FALSE(ui.innerVisible);
    for (const auto& name : present()) {
        EXPECT_EQ(stampOf(db(name)), std::make_tuple(8, 0, 2)) << name;
        EXPECT_EQ(value(db(name), "SELECT COUNT(*) FROM log_Upgrade WHERE uVersion = 'Base 8.0.2'"), "1") << name;
        EXPECT_EQ(value(db(name), "SELECT COUNT(*) FROM RDB$INDICES WHERE RDB$INDEX_NAME STARTING WITH 'TMP_'"), "0")
            << name;
    }
}

// Pointers of kind A code the Karta names (two called "Рама": 1 and 7, the
// later wins), pointers of kind B the lines of the side lists (two called
// "Левая сторона": 3 and 8, the first wins, matched exactly); works code the
// order services, a name rab lacks ending at 0.
TEST_F(Pack_8_00_02Test, PointerAndServiceNamesBecomeTheirCodes) {
    ASSERT_TRUE(packs::dm_SP_8_00_02()) << ::testing::PrintToString(ui.messages);

    const struct {
        const char* database;
        const char* select;
        Rows expected;
    } cases[] = {
        {"Sorvin",
         "SELECT COUNT(DISTINCT MGUID), COUNT(*) FROM StockMain WHERE MGUID SIMILAR TO '[0-9A-F]{32}'",
         {"6|6"}},
        {"Base", "SELECT NumberMain, KodUkazatel FROM ACC_MATERIAL", {"1|7", "2|<null>", "3|2"}},
        {"Base",
         "SELECT NumberMain, KodUkazatel, KodUkazatelStorona FROM RAB_MATERIAL",
         {"1|7|2", "2|<null>|<null>", "3|<null>|<null>"}},
        {"Base",
         "SELECT NumberMaterial, KodUkazatel FROM FUR_MATERIAL",
         {"1|2", "2|7", "3|5", "4|<null>", "5|<null>", "6|7"}},
        {"Base", "SELECT NumberMain, KodUkazatel FROM PR_STRUCTURE", {"1|7", "2|5", "3|7"}},
        {"Base", "SELECT NumberMain, KodUkazatel FROM T_MATERIAL", {"1|7", "2|2", "3|<null>"}},
        {"Base",
         "SELECT NUMBERPROEM, NUMBERSTORONA, KODUKAZATELSTORONA FROM t_Pro",
         {"1|1|3|6", "1|2|4|9", "2|1|<null>", "2|2|<null>", "3|1|<null>", "3|2|9|3"}},
        {"Base", "SELECT DISTINCT KeyVisible FROM SET_MANAGER", {"T"}},
        {"Base", "SELECT DISTINCT UGOL1, UGOL2 FROM ACC_MATERIAL", {"0|0"}},
        {"Config", "SELECT NumberMain, KodUkazatel FROM ACC_MATERIAL", {"1|7", "2|<null>", "3|2"}},
        {"Orders",
         "SELECT NOM, NumberService, KodService FROM o_Service",
         {"1|1|1", "1|2|6", "1|3|0", "2|1|0", "2|2|0", "3|1|0"}},
        {"Orders",
         "SELECT NOM, NUMBERPRODUCT, NUMBERSTORONA, KODUKAZATELSTORONA FROM k_Pro",
         {"1|1|1|3|6", "1|1|2|4|9", "1|2|1|<null>", "2|1|1|<null>", "2|1|2|<null>", "3|1|1|9|3"}},
        {"Orders", "SELECT NumberElement, KodUkazatel FROM C_MATERIAL", {"1|7", "2|<null>"}},
        {"OrdersServer",
         "SELECT NOM, NumberService, KodService FROM o_Service",
         {"1|1|1", "1|2|6", "1|3|0", "2|1|0", "2|2|0", "3|1|0"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sorted(rows(db(c.database), c.select)), c.expected) << c.database << ": " << c.select;
    }
}

TEST_F(Pack_8_00_02Test, NameColumnsAreDroppedAndNewColumnsAdded) {
    ASSERT_TRUE(packs::dm_SP_8_00_02()) << ::testing::PrintToString(ui.messages);

    for (const char* name : {"Base", "Config"}) {
        pack_testing::Reader catalogue(db(name));
        for (const char* table : {"ACC_MATERIAL", "COL_MATERIAL", "DE_MATERIAL", "FUR_MATERIAL", "FUR_MATERIAL2",
                                  "PR_STRUCTURE", "T_MATERIAL", "RAB_MATERIAL", "t_Pro"}) {
            EXPECT_FALSE(catalogue.hasColumn(table, "Karta")) << name << " " << table;
        }
        EXPECT_FALSE(catalogue.hasColumn("RAB_MATERIAL", "KartaStorona")) << name;
        EXPECT_FALSE(catalogue.hasColumn("Rab", "RABNOTE")) << name;
        EXPECT_FALSE(catalogue.hasColumn("Rab", "KODCAPITAL")) << name;
        EXPECT_FALSE(catalogue.hasTable("TONIROVKA")) << name;
        EXPECT_TRUE(catalogue.hasColumn("STOCK", "MGUID")) << name;
        EXPECT_EQ(catalogue.value("SELECT COUNT(*) FROM fur_Material WHERE Geometry IS NOT NULL"), "0") << name;
    }
    for (const char* name : {"Orders", "OrdersServer"}) {
        pack_testing::Reader orders(db(name));
        for (const char* table : kOrderTables) {
            EXPECT_FALSE(orders.hasColumn(table, "Karta")) << name << " " << table;
            EXPECT_TRUE(orders.hasColumn(table, "KodUkazatel")) << name << " " << table;
        }
        for (const char* column : {"Service", "Structure", "KODCAPITAL", "COSTCAPITAL", "OTKOSMIN", "OTKOSMAX"}) {
            EXPECT_FALSE(orders.hasColumn("o_Service", column)) << name << " " << column;
        }
        EXPECT_FALSE(orders.hasColumn("k_Pro", "Karta")) << name;
        EXPECT_TRUE(orders.hasColumn("o_Attribute", "NumberDiler")) << name;
        EXPECT_FALSE(orders.hasTable("K_ACCESS")) << name;
    }
}

// The Config database reads its own pointers when it has any, and those code
// the Orders databases; without any it is coded with the Base database's.
TEST_F(Pack_8_00_02Test, TheConfigDatabasesPointersReplaceTheBaseDatabasesUnlessItHasNone) {
    const struct {
        const char* script;
        const char* configCodes;
        const char* ordersCode;
    } cases[] = {
        {"DELETE FROM SET_UKAZATEL;", "1|7", "1|7"},
        {"UPDATE SET_UKAZATEL SET VID = 'B' WHERE NUMBERMAIN = 7;", "1|1", "1|1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        testing_support::ChainInstallation fresh(1);
        tools::runScript(fresh.database("Config"), 12, c.script);

        ASSERT_TRUE(packs::dm_SP_8_00_02()) << ::testing::PrintToString(ui.messages);

        EXPECT_EQ(
            value(fresh.database("Config"), "SELECT NumberMain, KodUkazatel FROM ACC_MATERIAL WHERE NumberMain = 1"),
            c.configCodes);
        EXPECT_EQ(value(fresh.database("Orders"), "SELECT NumberElement, KodUkazatel FROM C_MATERIAL WHERE "
                                                  "NumberElement = 1"),
                  c.ordersCode);
    }
}

TEST_F(Pack_8_00_02Test, WithBaseAndConfigSkippedTheOrdersLoseTheirNamesUncoded) {
    sql("Base", "UPDATE kv_Setting SET Build = 5;");
    sql("Config", "UPDATE kv_Setting SET Build = 5;");

    ASSERT_TRUE(packs::dm_SP_8_00_02()) << ::testing::PrintToString(ui.messages);

    for (const char* table : kOrderTables) {
        EXPECT_EQ(value(db("Orders"), std::string("SELECT COUNT(*) FROM ") + table + " WHERE KodUkazatel IS NOT NULL"),
                  "0")
            << table;
    }
    EXPECT_EQ(sorted(rows(db("Orders"), "SELECT DISTINCT KodService FROM o_Service")), Rows{"0"});
    EXPECT_EQ(value(db("Orders"), "SELECT COUNT(*) FROM k_Pro WHERE KODUKAZATELSTORONA IS NOT NULL"), "0");
    EXPECT_FALSE(hasColumn(db("Orders"), "o_Service", "Service"));
    EXPECT_TRUE(hasColumn(db("Base"), "ACC_MATERIAL", "Karta"));
}

TEST_F(Pack_8_00_02Test, WithoutTheServerOrdersDatabaseItsWeightIsCounted) {
    ASSERT_TRUE(platform::removeFileClearingAttributes(db("OrdersServer")));

    ASSERT_TRUE(packs::dm_SP_8_00_02()) << ::testing::PrintToString(ui.messages);

    EXPECT_EQ(engine::KolvoStep, 238 + 9);
    EXPECT_FALSE(hasColumn(db("Orders"), "o_Service", "Service"));
}

TEST_F(Pack_8_00_02Test, AStockCatalogueWithoutPositiveCodesGetsNoGuid) {
    sql("Sorvin", "DELETE FROM StockMain;\nINSERT INTO StockMain (KodMaterial, Material) VALUES (0, 'Без кода');");

    ASSERT_TRUE(packs::dm_SP_8_00_02()) << ::testing::PrintToString(ui.messages);

    EXPECT_EQ(rows(db("Sorvin"), "SELECT KodMaterial, MGUID FROM StockMain"), Rows{"0|<null>"});
}

// A side list longer than its column fails its UPDATE: the rows written before
// stay, the fill counts no step, the rest of that database's part is not run
// (so the pointer texts are kept), and the pack reports the missing steps.
TEST_F(Pack_8_00_02Test, ASideListLongerThan255CharactersEndsItsDatabasesPart) {
    std::string lines = "'Верх'";
    for (int i = 1; i < 130; ++i) {
        lines += " || ASCII_CHAR(13) || ASCII_CHAR(10) || 'Верх'";
    }
    const struct {
        const char* database;
        std::string insert;
        const char* table;
        const char* updatedBefore;
        const char* keptTable;
        const char* keptColumn;
        int counted;
    } cases[] = {
        {"Base", "INSERT INTO t_Pro (NUMBERPROEM, NUMBERSTORONA, KARTA) VALUES (9, 1, " + lines + ");", "t_Pro",
         "SELECT KODUKAZATELSTORONA FROM t_Pro WHERE NUMBERPROEM = 1 AND NUMBERSTORONA = 1", "Rab", "RABNOTE", 238 - 6},
        {"Orders", "INSERT INTO k_Pro (NOM, NUMBERPRODUCT, NUMBERSTORONA, KARTA) VALUES (9, 1, 1, " + lines + ");",
         "k_Pro", "SELECT KODUKAZATELSTORONA FROM k_Pro WHERE NOM = 1 AND NUMBERPRODUCT = 1 AND NUMBERSTORONA = 1",
         "o_Service", "Service", 238 - 10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.table);
        testing_support::ChainInstallation fresh(1);
        const auto at = [&](const std::string& name) { return fresh.database(name); };
        tools::runScript(at(c.database), 12, c.insert);
        ui.messages.clear();

        EXPECT_FALSE(packs::dm_SP_8_00_02());

        EXPECT_FALSE(ui.innerVisible);
        EXPECT_EQ(value(at(c.database), c.updatedBefore), "3|6");
        EXPECT_EQ(value(at(c.database), std::string("SELECT COUNT(*) FROM ") + c.table +
                                            " WHERE KODUKAZATELSTORONA IS NULL AND CHAR_LENGTH(KARTA) > 255"),
                  "1");
        EXPECT_TRUE(hasColumn(at(c.database), c.keptTable, c.keptColumn));
        const std::string code = "8.0.2.238." + std::to_string(c.counted);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_NE(ui.messages[0].find("Сообщите код: " + code + "\r"), std::string::npos) << ui.messages[0];
        for (const auto& name : pack_testing::presentDatabases(fresh.installation())) {
            EXPECT_EQ(stampOf(at(name)), std::make_tuple(8, 0, 1)) << name;
        }
    }
}

TEST_F(Pack_8_00_02Test, ASecondRunSkipsEveryDatabaseAndChangesNothing) {
    ASSERT_TRUE(packs::dm_SP_8_00_02()) << ::testing::PrintToString(ui.messages);
    std::map<std::string, std::vector<std::string>> before;
    for (const auto& name : present()) {
        before[name] = contentsOf(db(name), {"UTIME", "KODLOG"});
    }

    engine::KolvoStep = 0;
    ASSERT_TRUE(packs::dm_SP_8_00_02()) << ::testing::PrintToString(ui.messages);

    EXPECT_EQ(engine::KolvoStep, 238 + 9);
    // Not even a journal row: the journal stamps only what the pack processed.
    for (const auto& name : present()) {
        EXPECT_EQ(contentsOf(db(name), {"UTIME", "KODLOG"}), before[name]) << name;
    }
}

// The statements as written, without the speed-ups, leave every table of every
// database as the sped-up run does (the GUIDs aside, which are new each time).
TEST(PackSpeedUpTest, TheStatementsAsWrittenLeaveTheSameTables) {
    testing_support::ScriptedUserInterface ui;
    const testing_support::ChainInstallation spedUp(2);
    testing_support::ChainInstallation literal(0);
    ASSERT_EQ(setenv("ZURUZOD_LITERAL_STATEMENTS", "1", 1), 0);
    std::vector<std::string> sent;
    engine::fb::setStatementTrace([&sent](const std::string& text) { sent.push_back(text); });
    const bool installed = packs::dm_SP_8_00_01() && packs::dm_SP_8_00_02();
    engine::fb::setStatementTrace(nullptr);
    unsetenv("ZURUZOD_LITERAL_STATEMENTS");
    ASSERT_TRUE(installed) << ::testing::PrintToString(ui.messages);
    for (const auto& text : sent) {
        EXPECT_EQ(text.find("TMP_"), std::string::npos) << text;
    }

    for (const auto& name : pack_testing::presentDatabases(literal.installation())) {
        EXPECT_EQ(contentsOf(literal.database(name), {"UTIME", "MGUID"}),
                  contentsOf(spedUp.database(name), {"UTIME", "MGUID"}))
            << name;
    }
}

} // namespace
