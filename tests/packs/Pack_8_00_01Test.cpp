#include "PackTestSupport.h"

#include "engine/firebird/Statement.h"
#include "packs/PackWrappers.h"
#include "packs/Pack_8_00_01.h"

#include <regex>
#include <stdexcept>

namespace {

using pack_testing::contentsOf;
using pack_testing::hasColumn;
using pack_testing::hasTable;
using pack_testing::rows;
using pack_testing::sorted;
using pack_testing::stampOf;
using pack_testing::value;

using Rows = std::vector<std::string>;

const std::string kJournalled = "SELECT COUNT(*) FROM log_Upgrade WHERE uVersion STARTING WITH 'Base 8.0.1'";

class Pack_8_00_01Test : public ::testing::Test {
protected:
    std::string db(const std::string& name) const { return chain.database(name); }
    void sql(const std::string& name, const std::string& script) { tools::runScript(db(name), 12, script); }
    std::vector<std::string> present() const { return pack_testing::presentDatabases(chain.installation()); }

    testing_support::ScriptedUserInterface ui;
    testing_support::ChainInstallation chain{0};
};

TEST_F(Pack_8_00_01Test, ReachesItsStepTotalAndStampsAndJournalsEveryDatabase) {
    EXPECT_EQ(packs::steps_8_00_01(), 143);

    ASSERT_TRUE(packs::dm_SP_8_00_01()) << ::testing::PrintToString(ui.messages);

    EXPECT_EQ(engine::KolvoStep, 143 + 9);
    EXPECT_TRUE(ui.messages.empty()) << ::testing::PrintToString(ui.messages);
    EXPECT_FALSE(ui.innerVisible);
    for (const auto& name : present()) {
        EXPECT_EQ(stampOf(db(name)), std::make_tuple(8, 0, 1)) << name;
        EXPECT_EQ(value(db(name), kJournalled), "1") << name;
        EXPECT_EQ(value(db(name), "SELECT COUNT(*) FROM RDB$INDICES WHERE RDB$INDEX_NAME STARTING WITH 'TMP_'"), "0")
            << name << ": the fills leave no index of their own behind";
    }
}

// Groups are coded by their position among the Sorvin database's rows
// ("Профиль 60" is there at 1 and 6), attributes by theirs in the Base
// database ("Новый" at 1 and 5); the database compares the names, so another
// case or NULL matches nothing and a trailing blank does not count.
TEST_F(Pack_8_00_01Test, NamesBecomeThePositionsOfTheirLastEntry) {
    ASSERT_TRUE(packs::dm_SP_8_00_01()) << ::testing::PrintToString(ui.messages);

    const struct {
        const char* database;
        const char* select;
        Rows expected;
    } cases[] = {
        {"Sorvin",
         "SELECT GroupMain, KodGroup FROM stock_Group",
         {"Армирование|3", "Подоконник|7", "Профиль 60|6", "Профиль 60|6", "Профиль 70|2", "Стекло|5", "Уплотнитель|8",
          "Фурнитура|4"}},
        {"Sorvin", "SELECT GEN_ID(GEN_STOCK_GROUP, 0) FROM RDB$DATABASE", {"8"}},
        {"Base",
         "SELECT GroupMain, KodGroup FROM stock_Group",
         {"Армирование|3", "Отлив|<null>", "Подоконник|7", "Профиль 60|6", "Профиль 70|2", "Стекло|5", "Уплотнитель|8",
          "Фурнитура|4"}},
        {"Base", "SELECT NumberAcc, KodGroup FROM acc", {"1|6", "2|2", "3|<null>", "4|7", "5|<null>", "6|<null>"}},
        {"Base", "SELECT NumberKomplect, KodGroup FROM FURNITURA", {"1|4", "2|<null>", "3|<null>"}},
        {"Base", "SELECT NumberMain, KodGroup, SubParameter FROM set_SubParameter", {"1|6|A", "2|2|B"}},
        {"Base", "SELECT NumberMain, KodGroup FROM COL_PROFIL", {"1|6", "2|2", "3|<null>"}},
        {"Base", "SELECT NumberTemplate, KodGroup FROM Template", {"1|6", "2|2", "3|<null>"}},
        {"Base", "SELECT NumberOperation, KodGroup FROM stanok_Operation", {"1|4", "2|5"}},
        {"Base",
         "SELECT NumberMaterial, KodGroup FROM fur_Material",
         {"1|4", "2|4", "3|<null>", "4|<null>", "5|4", "6|4"}},
        {"Base",
         "SELECT NumberMaterial, NumberKomplect FROM fur_MaterialKomplect",
         {"1|12", "1|12", "2|5", "2|6", "3|7", "3|7", "3|8", "6|9"}},
        {"Base",
         "SELECT Attribute, KodAttribute FROM set_Config",
         {"В работе|2", "Готов|3", "Новый|5", "Новый|5", "Отгружен|4"}},
        {"Base", "SELECT GEN_ID(GEN_SET_CONFIG, 0) FROM RDB$DATABASE", {"5"}},
        {"Config", "SELECT NumberAcc, KodGroup FROM acc", {"1|6", "2|2", "3|<null>", "4|7", "5|<null>", "6|<null>"}},
        {"Config",
         "SELECT Attribute, KodAttribute FROM set_Config",
         {"В работе|2", "Готов|3", "Новый|5", "Новый|5", "Отгружен|4"}},
        {"Config",
         "SELECT NumberMaterial, NumberKomplect FROM fur_MaterialKomplect",
         {"1|12", "1|12", "2|5", "2|6", "3|7", "3|7", "3|8", "6|9"}},
        {"Orders", "SELECT NOM, KodAttribute FROM Orders", {"1|5", "2|3", "3|<null>", "4|<null>", "5|<null>"}},
        {"Orders",
         "SELECT KodOAttribute, KodAttribute, KodAttributeEnd FROM o_Attribute",
         {"1|5|2", "2|2|3", "3|<null>|<null>"}},
        {"Orders",
         "SELECT NOM, NumberProduct, KodGroup FROM Product",
         {"1|1|6", "1|2|2", "2|1|<null>", "3|1|<null>", "4|1|7", "5|1|<null>"}},
        {"OrdersServer", "SELECT NOM, KodAttribute FROM Orders", {"1|5", "2|3", "3|<null>", "4|<null>", "5|<null>"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sorted(rows(db(c.database), c.select)), c.expected) << c.database << ": " << c.select;
    }
}

TEST_F(Pack_8_00_01Test, ReplacedColumnsTablesAndProceduresAreGone) {
    ASSERT_TRUE(packs::dm_SP_8_00_01()) << ::testing::PrintToString(ui.messages);

    const struct {
        const char* database;
        const char* table;
        const char* column;
        bool kept;
    } columns[] = {
        {"Price", "PRICE", "NDS", false},
        {"Price", "PRICEHISTORY", "COSTBASENDS", false},
        {"Price", "Price", "MinPriceSale", true},
        {"Base", "acc", "Structure", false},
        {"Base", "FURNITURA", "FURNITURA", false},
        {"Base", "set_SubParameter", "PROFIL", false},
        {"Base", "set_SubParameter", "S1", false},
        {"Base", "fur_Material", "Structure", false},
        {"Base", "fur_Material", "Komplect", false},
        {"Base", "stanok_mission", "name_Stanok", true},
        {"Config", "Template", "Structure", false},
        {"Config", "fur_Material", "Komplect", false},
        {"Orders", "Orders", "Attribute", false},
        {"Orders", "o_Attribute", "AttributeTransit", false},
        {"OrdersServer", "Product", "Attribute", false},
    };
    for (const auto& c : columns) {
        EXPECT_EQ(hasColumn(db(c.database), c.table, c.column), c.kept)
            << c.database << " " << c.table << "." << c.column;
    }
    EXPECT_EQ(value(db("Base"), "SELECT COUNT(*) FROM stanok_mission WHERE name_Stanok IS NOT NULL"), "0");
    for (const char* table : {"SET_WWW", "stock_SizeFilling", "SET_LOGISTIC_TRANSPORT", "SET_FURNITURAPAZ"}) {
        EXPECT_FALSE(hasTable(db("Base"), table)) << table;
    }
    for (const char* table :
         {"O_MESSAGEREAD", "SET_ARCHIVE", "SET_DOPUSKMANAGER", "SET_CEH", "SET_CALENDAR_CEH", "LIST_CEH"}) {
        EXPECT_FALSE(hasTable(db("System"), table)) << table;
    }
    EXPECT_EQ(value(db("System"), "SELECT COUNT(*) FROM RDB$PROCEDURES WHERE RDB$PROCEDURE_NAME IN "
                                  "('CALENDAR_CEH', 'PROC_ZEH_1')"),
              "0");
    EXPECT_EQ(value(db("Sorvin"), "SELECT RDB$UNIQUE_FLAG FROM RDB$INDICES WHERE RDB$INDEX_NAME = "
                                  "'STOCKMAIN_KODMATERIAL'"),
              "1");
}

TEST_F(Pack_8_00_01Test, WithoutTheSorvinDatabaseNoRowGetsAGroupAndEverySubParameterGoes) {
    ASSERT_TRUE(platform::removeFileClearingAttributes(db("Sorvin")));

    ASSERT_TRUE(packs::dm_SP_8_00_01()) << ::testing::PrintToString(ui.messages);

    EXPECT_EQ(engine::KolvoStep, 143 + 9);
    for (const char* name : {"Base", "Config"}) {
        EXPECT_EQ(value(db(name), "SELECT COUNT(*) FROM acc WHERE KodGroup IS NOT NULL"), "0") << name;
        EXPECT_EQ(value(db(name), "SELECT COUNT(*) FROM set_SubParameter"), "0") << name;
        EXPECT_EQ(value(db(name), "SELECT COUNT(*) FROM stock_Group WHERE KodGroup IS NOT NULL"), "0") << name;
        EXPECT_FALSE(hasColumn(db(name), "acc", "Structure")) << name;
    }
    EXPECT_EQ(value(db("Orders"), "SELECT COUNT(*) FROM Product WHERE KodGroup IS NOT NULL"), "0");
    EXPECT_EQ(stampOf(db("Base")), std::make_tuple(8, 0, 1));
}

TEST_F(Pack_8_00_01Test, ConfigIsProcessedWithAnEmptyAttributeListWhenBaseIsSkipped) {
    sql("Base", "UPDATE kv_Setting SET Build = 5;");

    ASSERT_TRUE(packs::dm_SP_8_00_01()) << ::testing::PrintToString(ui.messages);

    EXPECT_FALSE(hasColumn(db("Base"), "set_Config", "KodAttribute"));
    EXPECT_TRUE(hasColumn(db("Config"), "set_Config", "KodAttribute"));
    EXPECT_EQ(value(db("Config"), "SELECT COUNT(*) FROM set_Config WHERE KodAttribute IS NOT NULL"), "0");
    EXPECT_EQ(value(db("Config"), "SELECT GEN_ID(GEN_SET_CONFIG, 0) FROM RDB$DATABASE"), "0");
    EXPECT_EQ(value(db("Config"), "SELECT NumberAcc, KodGroup FROM acc WHERE NumberAcc = 1"), "1|6");
    EXPECT_EQ(value(db("Orders"), "SELECT COUNT(*) FROM Orders WHERE KodAttribute IS NOT NULL"), "0");
    // The skipped database keeps its stamp and gets no journal row.
    EXPECT_EQ(stampOf(db("Base")), std::make_tuple(8, 0, 5));
}

// Three reads the pack cannot do without: when one fails the pack ends at
// once, the databases before keep what they got, and nothing is stamped,
// journalled or shown.
TEST_F(Pack_8_00_01Test, AFailedGroupAttributeOrProcedureReadEndsThePackAtOnce) {
    const struct {
        const char* read;
        const char* database;
        const char* script;
        const char* failingStatement;
        int counted;
        const char* committedDatabase;
        const char* committedTable;
        const char* committedColumn;
        const char* untouchedDatabase;
        const char* untouchedTable;
        const char* untouchedColumn;
    } cases[] = {
        {"group read", "Sorvin", "ALTER TABLE stock_Group ALTER COLUMN GroupMain TO GroupName;", "", 1, "Sorvin",
         "stock_Group", "KodGroup", "Price", "Price", "MinPriceSale"},
        {"attribute read", "Base", "ALTER TABLE set_Config ALTER COLUMN Attribute TO AttributeName;", "", 11, "Price",
         "Price", "MinPriceSale", "Base", "acc", "KodGroup"},
        {"procedure check", "", "", "RDB$PROCEDURES", 140, "Orders", "Orders", "KodAttribute", "System", "SET_CEH",
         "KodCeh"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.read);
        testing_support::ChainInstallation fresh(0);
        const auto at = [&](const std::string& name) { return fresh.database(name); };
        if (*c.database) {
            tools::runScript(at(c.database), 12, c.script);
        }
        const std::string failing = c.failingStatement;
        engine::fb::setStatementTrace([failing](const std::string& text) {
            if (!failing.empty() && text.find(failing) != std::string::npos) {
                throw std::runtime_error("the read is refused");
            }
        });
        ui.messages.clear();
        ui.runLog.clear();

        const bool installed = packs::dm_SP_8_00_01();
        engine::fb::setStatementTrace(nullptr);

        EXPECT_FALSE(installed);
        EXPECT_EQ(engine::KolvoStep, c.counted);
        EXPECT_TRUE(ui.messages.empty()) << ::testing::PrintToString(ui.messages);
        EXPECT_TRUE(ui.runLog.empty()) << ::testing::PrintToString(ui.runLog);
        EXPECT_TRUE(hasColumn(at(c.committedDatabase), c.committedTable, c.committedColumn));
        EXPECT_EQ(hasColumn(at(c.untouchedDatabase), c.untouchedTable, c.untouchedColumn),
                  std::string(c.untouchedColumn) == "KodCeh");
        for (const auto& name : pack_testing::presentDatabases(fresh.installation())) {
            EXPECT_EQ(stampOf(at(name)), std::make_tuple(8, 0, 0)) << name;
            EXPECT_EQ(value(at(name), kJournalled), "0") << name;
        }
    }
}

TEST_F(Pack_8_00_01Test, AProcedureThatCannotBeDroppedEndsThePackWithTheServersReasonInTheRunLog) {
    sql("System", "CREATE VIEW CEH_CAPACITY (Capacity) AS SELECT Capacity FROM PROC_ZEH_1(1);");

    EXPECT_FALSE(packs::dm_SP_8_00_01());

    ASSERT_EQ(ui.runLog.size(), 1u) << ::testing::PrintToString(ui.runLog);
    EXPECT_NE(ui.runLog[0].find("cannot delete"), std::string::npos) << ui.runLog[0];
    EXPECT_FALSE(std::regex_search(ui.runLog[0], std::regex("^\\d\\d:\\d\\d:\\d\\d: "))) << ui.runLog[0];
    EXPECT_TRUE(ui.messages.empty()) << ::testing::PrintToString(ui.messages);
    // Both drops are undone together, and the tables the procedures read stay.
    EXPECT_EQ(value(db("System"), "SELECT COUNT(*) FROM RDB$PROCEDURES WHERE RDB$PROCEDURE_NAME IN "
                                  "('CALENDAR_CEH', 'PROC_ZEH_1')"),
              "2");
    EXPECT_TRUE(hasTable(db("System"), "SET_CEH"));
    for (const auto& name : present()) {
        EXPECT_EQ(stampOf(db(name)), std::make_tuple(8, 0, 0)) << name;
    }
}

TEST_F(Pack_8_00_01Test, WithoutTheProceduresOnlyTheTablesAreDropped) {
    sql("System", "DROP PROCEDURE CALENDAR_CEH;\nDROP PROCEDURE PROC_ZEH_1;");

    ASSERT_TRUE(packs::dm_SP_8_00_01()) << ::testing::PrintToString(ui.messages);

    EXPECT_FALSE(hasTable(db("System"), "LIST_CEH"));
}

// A fill or the kit-list move that fails leaves the rest of its database's part
// undone, so the names and lists it could not move are not dropped; the pack
// then reports the steps it missed.
TEST_F(Pack_8_00_01Test, AFailedFillOrKitMoveKeepsWhatItCouldNotMove) {
    const struct {
        const char* what;
        const char* script;
        const char* keptTable;
        const char* keptColumn;
        int counted;
    } cases[] = {
        {"group-code fill",
         "CREATE EXCEPTION NO_CODES 'no codes';\nSET TERM ^ ;\nCREATE TRIGGER ACC_FROZEN FOR acc "
         "BEFORE UPDATE AS BEGIN EXCEPTION NO_CODES; END^\nSET TERM ; ^",
         "acc", "Structure", 143 - 43},
        {"kit-list move",
         "CREATE TABLE fur_MaterialKomplect (NumberMaterial INT, NumberKomplect INT CHECK (NumberKomplect < 0));",
         "fur_Material", "Komplect", 143 - 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        testing_support::ChainInstallation fresh(0);
        const auto at = [&](const std::string& name) { return fresh.database(name); };
        tools::runScript(at("Base"), 12, c.script);
        ui.messages.clear();

        EXPECT_FALSE(packs::dm_SP_8_00_01());

        EXPECT_FALSE(ui.innerVisible);
        EXPECT_TRUE(hasColumn(at("Base"), c.keptTable, c.keptColumn));
        EXPECT_TRUE(hasTable(at("Base"), "SET_WWW")) << "the rest of the Base part is not run";
        EXPECT_FALSE(hasColumn(at("Config"), c.keptTable, c.keptColumn)) << "the Config database is done as usual";
        const std::string code = "8.0.1.143." + std::to_string(c.counted);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_NE(ui.messages[0].find("Сообщите код: " + code + "\r"), std::string::npos) << ui.messages[0];
        EXPECT_EQ(
            value(at("Base"), "SELECT COUNT(*) FROM log_Upgrade WHERE uVersion = :p0", {"Base 8.0.1 - Error " + code}),
            "1");
        EXPECT_EQ(stampOf(at("Base")), std::make_tuple(8, 0, 0));
    }
}

TEST_F(Pack_8_00_01Test, ASecondRunSkipsEveryDatabaseAndChangesNothing) {
    ASSERT_TRUE(packs::dm_SP_8_00_01()) << ::testing::PrintToString(ui.messages);
    std::map<std::string, std::vector<std::string>> before;
    for (const auto& name : present()) {
        before[name] = contentsOf(db(name), {"UTIME", "KODLOG"});
    }

    engine::KolvoStep = 0;
    ASSERT_TRUE(packs::dm_SP_8_00_01()) << ::testing::PrintToString(ui.messages);

    EXPECT_EQ(engine::KolvoStep, 143 + 9);
    // Not even a journal row: the journal stamps only what the pack processed.
    for (const auto& name : present()) {
        EXPECT_EQ(contentsOf(db(name), {"UTIME", "KODLOG"}), before[name]) << name;
    }
}

} // namespace
