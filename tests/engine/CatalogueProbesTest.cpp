#include "EngineFixture.h"

class CatalogueProbesTest : public EngineTest {
protected:
    // Grelto holds no application tables, so the fixture's own tables go there.
    void SetUp() override {
        sql("Grelto", "CREATE TABLE Stock (KodStock INTEGER, KodGroup INTEGER, NameStock VARCHAR(40));\n"
                      "INSERT INTO Stock VALUES (1, 0, 'a');\nINSERT INTO Stock VALUES (2, 0, 'b');\n"
                      "INSERT INTO Stock VALUES (3, 5, 'c');\n"
                      "CREATE VIEW Stock_View AS SELECT KodStock FROM Stock;\n"
                      "CREATE GENERATOR GEN_STOCK;\nSET GENERATOR GEN_STOCK TO 41;");
        ASSERT_TRUE(open("Grelto"));
    }
};

TEST_F(CatalogueProbesTest, NamesAreFoundInAnyCaseAndWithATrailingBlank) {
    for (const char* name : {"kv_setting", "KV_SETTING", "kv_Setting", "kv_Setting ", "Stock_View"}) {
        EXPECT_TRUE(module->control_Tablel(name)) << '"' << name << '"';
    }
    EXPECT_FALSE(module->control_Tablel("kv_Settings"));
    for (const char* column : {"servicepack", "SERVICEPACK", "ServicePack "}) {
        EXPECT_TRUE(module->control_Column("KV_SETTING", column)) << '"' << column << '"';
    }
    EXPECT_FALSE(module->control_Column("kv_Setting", "Revision"));
    EXPECT_FALSE(module->control_Column("NoSuchTable", "Build"));
    EXPECT_EQ(engine::KolvoStep, 0);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CatalogueProbesTest, ProbesOnAClosedConnectionAnswerAbsent) {
    module->CloseDataBase();
    EXPECT_FALSE(module->control_Tablel("kv_Setting"));
    EXPECT_FALSE(module->control_Column("kv_Setting", "Build"));
}

TEST_F(CatalogueProbesTest, RecordCountTakesABareConditionAndCountsAStep) {
    recordStatements();
    EXPECT_EQ(module->ft_TableReadRecordCount("Stock", ""), 3);
    EXPECT_EQ(module->ft_TableReadRecordCount("Stock", "KodGroup = 0"), 2);
    EXPECT_EQ(sent.back(), "SELECT COUNT (*)\nFROM Stock\nWHERE KodGroup = 0");
    EXPECT_EQ(engine::KolvoStep, 2);
    EXPECT_EQ(module->ft_TableReadRecordCount("NoSuchTable", ""), 0);
    EXPECT_EQ(engine::KolvoStep, 2);
}

TEST_F(CatalogueProbesTest, GeneratorValueIsReadWithoutMovingIt) {
    EXPECT_EQ(module->ft_TableReadValueGenerator("stock"), 41);
    EXPECT_EQ(engine::KolvoStep, 1);
    EXPECT_EQ(module->ft_TableReadValueGenerator("Stock"), 41);
    EXPECT_EQ(engine::KolvoStep, 2);
    EXPECT_EQ(module->ft_TableReadValueGenerator("kv_Setting"), -1);
    EXPECT_EQ(engine::KolvoStep, 2);
}

TEST_F(CatalogueProbesTest, RowDeletionTakesAWholeClauseAndAlwaysCounts) {
    module->ft_TableRowNULL("Stock", "WHERE KodGroup = 0");
    EXPECT_EQ(engine::KolvoStep, 1);
    EXPECT_EQ(module->ft_TableReadRecordCount("Stock", ""), 1);
    module->ft_TableRowNULL("NoSuchTable", "");
    EXPECT_EQ(engine::KolvoStep, 3);
    module->ft_TableRowNULL("Stock", "WHERE NoSuchColumn = 1");
    EXPECT_EQ(engine::KolvoStep, 4);
    module->ft_TableRowNULL("Stock", "");
    EXPECT_EQ(module->ft_TableReadRecordCount("Stock", ""), 0);
    EXPECT_TRUE(ui.messages.empty());
}
