#include "EngineFixture.h"

#include "engine/firebird/FbStatus.h"

#include <algorithm>

namespace {

// Probes may ask the catalogue; anything else would be a change.
bool onlyCatalogueReads(const std::vector<std::string>& sent) {
    return std::all_of(sent.begin(), sent.end(), [](const std::string& text) {
        return text.rfind("SELECT", 0) == 0 && text.find("RDB$") != std::string::npos;
    });
}

} // namespace

class TableOperationsTest : public EngineTest {
protected:
    // Grelto holds no application tables, so the fixture's own tables go there.
    void SetUp() override {
        sql("Grelto", "CREATE TABLE Stock (KodMaterial INTEGER, KodGroup INTEGER, NameStock VARCHAR(40));\n"
                      "INSERT INTO Stock VALUES (1, 0, 'a');\nINSERT INTO Stock VALUES (2, 0, 'b');\n"
                      "INSERT INTO Stock VALUES (3, 5, 'c');");
        ASSERT_TRUE(open("Grelto"));
    }
    std::string generatorValue(const std::string& generator) {
        return read("SELECT GEN_ID(" + generator + ", 0) FROM RDB$DATABASE");
    }
    bool triggerExists(const std::string& trigger) {
        return read("SELECT COUNT(*) FROM RDB$TRIGGERS WHERE RDB$TRIGGER_NAME = '" + trigger + "'") == "1";
    }
    bool generatorExists(const std::string& generator) {
        return read("SELECT COUNT(*) FROM RDB$GENERATORS WHERE RDB$GENERATOR_NAME = '" + generator + "'") == "1";
    }
};

TEST_F(TableOperationsTest, ANewTableGetsItsKeyGeneratorAtTheGivenStart) {
    recordStatements();
    module->ft_TableAdd("stock_Group", "kodGroup INT, nameGroup VARCHAR(255), NoteP VARCHAR(1)", "kodGroup", 100);
    EXPECT_EQ(engine::KolvoStep, 1);
    ASSERT_GE(sent.size(), 4u);
    EXPECT_EQ(sent[sent.size() - 4],
              "CREATE TABLE STOCK_GROUP (KODGROUP INT, NAMEGROUP VARCHAR(255), NOTEP VARCHAR(1))");
    EXPECT_EQ(sent[sent.size() - 3], "CREATE GENERATOR GEN_STOCK_GROUP");
    EXPECT_EQ(sent[sent.size() - 2], "SET GENERATOR GEN_STOCK_GROUP TO 100");
    EXPECT_EQ(sent.back(), "CREATE TRIGGER BI_STOCK_GROUP FOR STOCK_GROUP\nACTIVE BEFORE INSERT POSITION 0\nAS\n"
                           "BEGIN\nIF (NEW.KODGROUP IS NULL) THEN NEW.KODGROUP = GEN_ID(GEN_STOCK_GROUP,1);\nEND");
    write("INSERT INTO stock_Group (nameGroup) VALUES ('a')");
    EXPECT_EQ(read("SELECT kodGroup FROM stock_Group"), "101");
}

TEST_F(TableOperationsTest, AnExistingTableIsLeftAsItIsAndCounted) {
    recordStatements();
    module->ft_TableAdd("stock", "Other INT", "KodMaterial", 0);
    EXPECT_EQ(engine::KolvoStep, 1);
    EXPECT_TRUE(onlyCatalogueReads(sent));
    EXPECT_FALSE(generatorExists("GEN_STOCK"));
    EXPECT_EQ(read("SELECT COUNT(*) FROM Stock"), "3");
}

TEST_F(TableOperationsTest, WithoutAKeyColumnOnlyTheTableIsMade) {
    module->ft_TableAdd("fur_GroupStructure", "KodGroupF INT, KodGroupS INT", "", 0);
    EXPECT_EQ(engine::KolvoStep, 1);
    EXPECT_TRUE(module->control_Tablel("FUR_GROUPSTRUCTURE"));
    EXPECT_FALSE(generatorExists("GEN_FUR_GROUPSTRUCTURE"));
    EXPECT_FALSE(triggerExists("BI_FUR_GROUPSTRUCTURE"));
}

TEST_F(TableOperationsTest, TheWholeColumnListIsUpperCasedLiteralsIncluded) {
    module->ft_TableAdd("Note", "KodNote INT, Txt VARCHAR(10) DEFAULT 'abc'", "", 0);
    write("INSERT INTO Note (KodNote) VALUES (1)");
    EXPECT_EQ(read("SELECT Txt FROM Note"), "ABC");
}

TEST_F(TableOperationsTest, AColumnListFirebirdRefusesCountsNothing) {
    module->ft_TableAdd("Broken", "KodBroken NOSUCHTYPE", "KodBroken", 0);
    EXPECT_EQ(engine::KolvoStep, 0);
    EXPECT_FALSE(module->control_Tablel("Broken"));
    EXPECT_FALSE(generatorExists("GEN_BROKEN"));
}

TEST_F(TableOperationsTest, AFailedKeyTemplateKeepsTheTableAndCountsNothing) {
    write("CREATE GENERATOR GEN_FUR_GROUP");
    module->ft_TableAdd("fur_Group", "KodGroupF INT, nameGroupF VARCHAR(255)", "KodGroupF", 1);
    EXPECT_EQ(engine::KolvoStep, 0);
    EXPECT_TRUE(module->control_Tablel("fur_Group"));
    EXPECT_FALSE(triggerExists("BI_FUR_GROUP"));
    EXPECT_EQ(generatorValue("GEN_FUR_GROUP"), "0");
}

TEST_F(TableOperationsTest, AnExistingTableGetsAKeyGenerator) {
    module->ft_TableGeneratorAdd("Stock", "KodMaterial", 3);
    EXPECT_EQ(engine::KolvoStep, 1);
    write("INSERT INTO Stock (KodGroup, NameStock) VALUES (7, 'd')");
    EXPECT_EQ(read("SELECT KodMaterial FROM Stock WHERE KodGroup = 7"), "4");
}

TEST_F(TableOperationsTest, AKeyGeneratorAlreadyServingTheColumnIsCountedWithoutAStatement) {
    module->ft_TableGeneratorAdd("Stock", "KodMaterial", 3);
    recordStatements();
    module->ft_TableGeneratorAdd("STOCK", "kodmaterial", 50);
    EXPECT_EQ(engine::KolvoStep, 2);
    EXPECT_TRUE(onlyCatalogueReads(sent));
    EXPECT_EQ(generatorValue("GEN_STOCK"), "3");
}

TEST_F(TableOperationsTest, AGeneratorWhoseTriggerFillsAnotherColumnIsNeverReplaced) {
    module->ft_TableGeneratorAdd("Stock", "KodGroup", 3);
    module->ft_TableGeneratorAdd("Stock", "KodMaterial", 10);
    EXPECT_EQ(engine::KolvoStep, 1);
    EXPECT_EQ(generatorValue("GEN_STOCK"), "3");
    write("INSERT INTO Stock (KodMaterial, NameStock) VALUES (9, 'e')");
    EXPECT_EQ(read("SELECT KodGroup FROM Stock WHERE KodMaterial = 9"), "4");
}

TEST_F(TableOperationsTest, NoTableOrNoKeyColumnIsCountedWithoutAStatement) {
    recordStatements();
    module->ft_TableGeneratorAdd("NoSuchTable", "Kod", 0);
    module->ft_TableGeneratorAdd("Stock", "  ", 0);
    module->ft_TableGeneratorAdd("Stock", "", 0);
    EXPECT_EQ(engine::KolvoStep, 3);
    EXPECT_TRUE(onlyCatalogueReads(sent));
    EXPECT_FALSE(generatorExists("GEN_STOCK"));
}

TEST_F(TableOperationsTest, ATableGoesWithItsGeneratorAndTrigger) {
    module->ft_TableAdd("fur_Group", "KodGroupF INT, nameGroupF VARCHAR(255)", "KodGroupF", 1);
    ASSERT_TRUE(generatorExists("GEN_FUR_GROUP"));
    module->ft_TableDelete("fur_group");
    EXPECT_EQ(engine::KolvoStep, 2);
    EXPECT_FALSE(module->control_Tablel("fur_Group"));
    EXPECT_FALSE(generatorExists("GEN_FUR_GROUP"));
    EXPECT_FALSE(triggerExists("BI_FUR_GROUP"));
}

TEST_F(TableOperationsTest, ATableWithoutGeneratorIsDroppedAlone) {
    write("CREATE GENERATOR GEN_STOCKS");
    recordStatements();
    module->ft_TableDelete("Stock");
    EXPECT_EQ(engine::KolvoStep, 1);
    EXPECT_EQ(sent.back(), "DROP TABLE STOCK");
    EXPECT_EQ(std::count_if(sent.begin(), sent.end(), [](const std::string& s) { return s.rfind("DROP", 0) == 0; }), 1);
    EXPECT_FALSE(module->control_Tablel("Stock"));
    EXPECT_TRUE(generatorExists("GEN_STOCKS"));
}

TEST_F(TableOperationsTest, AGeneratorWithoutTriggerStillGoesWithItsTable) {
    write("CREATE GENERATOR GEN_STOCK");
    module->ft_TableDelete("Stock");
    EXPECT_EQ(engine::KolvoStep, 1);
    EXPECT_FALSE(module->control_Tablel("Stock"));
    EXPECT_FALSE(generatorExists("GEN_STOCK"));
}

TEST_F(TableOperationsTest, AMissingTableIsCountedWithoutAStatement) {
    recordStatements();
    module->ft_TableDelete("NoSuchTable");
    EXPECT_EQ(engine::KolvoStep, 1);
    EXPECT_TRUE(onlyCatalogueReads(sent));
}

TEST_F(TableOperationsTest, ATableOthersDependOnStaysAndCountsNothing) {
    write("CREATE VIEW Stock_View AS SELECT KodMaterial FROM Stock");
    module->ft_TableDelete("Stock");
    EXPECT_EQ(engine::KolvoStep, 0);
    EXPECT_TRUE(module->control_Tablel("Stock"));
}

TEST_F(TableOperationsTest, AnIndexIsMadeOnceAndThenOnlyCounted) {
    recordStatements();
    module->ft_TableIndexAdd("Stock", "KodMaterial", "UNIQUE");
    EXPECT_EQ(engine::KolvoStep, 1);
    EXPECT_EQ(sent.back(), "CREATE UNIQUE INDEX STOCK_KODMATERIAL\nON STOCK\n(KODMATERIAL)");
    EXPECT_EQ(read("SELECT RDB$UNIQUE_FLAG FROM RDB$INDICES WHERE RDB$INDEX_NAME = 'STOCK_KODMATERIAL'"), "1");

    recordStatements();
    module->ft_TableIndexAdd("stock", "kodmaterial", "");
    EXPECT_EQ(engine::KolvoStep, 2);
    EXPECT_TRUE(onlyCatalogueReads(sent));
}

TEST_F(TableOperationsTest, AnIndexWithoutUniqueIsAnOrdinaryOne) {
    recordStatements();
    module->ft_TableIndexAdd("Stock", "KodGroup", "");
    EXPECT_EQ(engine::KolvoStep, 1);
    EXPECT_EQ(sent.back(), "CREATE  INDEX STOCK_KODGROUP\nON STOCK\n(KODGROUP)");
    EXPECT_EQ(read("SELECT COALESCE(RDB$UNIQUE_FLAG, 0) FROM RDB$INDICES WHERE RDB$INDEX_NAME = 'STOCK_KODGROUP'"),
              "0");
}

TEST_F(TableOperationsTest, AnIndexNameOverTheLimitCountsNothing) {
    write("CREATE TABLE fur_MaterialKindOpenLinks (NumberMaterialKindOpen INT)");
    module->ft_TableIndexAdd("fur_MaterialKindOpenLinks", "NumberMaterialKindOpen", "");
    EXPECT_EQ(engine::KolvoStep, 0);
    EXPECT_EQ(read("SELECT COUNT(*) FROM RDB$INDICES WHERE RDB$RELATION_NAME = 'FUR_MATERIALKINDOPENLINKS'"), "0");
}

TEST_F(TableOperationsTest, AUniqueIndexOverDuplicatesCountsNothing) {
    module->ft_TableIndexAdd("Stock", "KodGroup", "UNIQUE");
    EXPECT_EQ(engine::KolvoStep, 0);
    EXPECT_EQ(read("SELECT COUNT(*) FROM RDB$INDICES WHERE RDB$INDEX_NAME = 'STOCK_KODGROUP'"), "0");
    EXPECT_TRUE(ui.messages.empty());
}
