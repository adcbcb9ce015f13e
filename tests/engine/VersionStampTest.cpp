#include "EngineFixture.h"

#include "engine/ReadingWrappers.h"
#include "engine/ServerVersion.h"
#include "environment/KvSetting.h"

#include <climits>

using environment::kvSetting;

class VersionStampTest : public EngineTest {};

TEST_F(VersionStampTest, ReadsTheStampOfTheOpenDatabase) {
    sql("Base", "UPDATE kv_Setting SET Version = 8, ServicePack = 0, Build = 5;");
    ASSERT_TRUE(open("Base"));
    int v = -9, sp = -9, bb = -9;
    EXPECT_TRUE(module->read_Vers_SP_Build(v, sp, bb));
    EXPECT_EQ(std::tie(v, sp, bb), std::make_tuple(8, 0, 5));
    EXPECT_EQ(engine::KolvoStep, 0);
}

TEST_F(VersionStampTest, MissingStampColumnsReadAsMinusOneWithoutAMessage) {
    struct Case {
        const char* drop;
        int sp;
        int bb;
    };
    for (const Case c : {Case{"ALTER TABLE kv_Setting DROP ServicePack;", -1, -1},
                         Case{"ALTER TABLE kv_Setting DROP Build;", 0, -1}}) {
        sql("Config", "UPDATE kv_Setting SET Version = 8, ServicePack = 0, Build = 3;");
        sql("Config", c.drop);
        ASSERT_TRUE(open("Config"));
        int v = -9, sp = -9, bb = -9;
        EXPECT_FALSE(module->read_Vers_SP_Build(v, sp, bb)) << c.drop;
        EXPECT_EQ(std::tie(v, sp, bb), std::make_tuple(8, c.sp, c.bb)) << c.drop;
        EXPECT_FALSE(module->control_Version(8, 0, 3, -1)) << c.drop;
        EXPECT_TRUE(ui.messages.empty()) << c.drop;
        sql("Config", "DROP TABLE kv_Setting;\nCREATE TABLE kv_Setting (Version INTEGER, ServicePack INTEGER, Build "
                      "INTEGER);\nINSERT INTO kv_Setting VALUES (8, 0, 3);");
    }
}

TEST_F(VersionStampTest, AnEmptyStampTableReadsAsZeros) {
    sql("Price", "DELETE FROM kv_Setting;");
    ASSERT_TRUE(open("Price"));
    int v = -9, sp = -9, bb = -9;
    EXPECT_TRUE(module->read_Vers_SP_Build(v, sp, bb));
    EXPECT_EQ(std::tie(v, sp, bb), std::make_tuple(0, 0, 0));
    EXPECT_TRUE(module->read_VersionServicePackBuild(installation.database("Price"), v, sp, bb));
    EXPECT_EQ(std::tie(v, sp, bb), std::make_tuple(0, 0, 0));
}

TEST_F(VersionStampTest, ReadingOneDatabaseNeedsAllThreeColumns) {
    int v = -9, sp = -9, bb = -9;
    sql("Orders", "UPDATE kv_Setting SET Build = 4;");
    EXPECT_TRUE(engine::dm_read_VersionServicePackBuild(installation.database("Orders"), v, sp, bb));
    EXPECT_EQ(std::tie(v, sp, bb), std::make_tuple(8, 0, 4));
    sql("Orders", "ALTER TABLE kv_Setting DROP Build;");
    v = sp = bb = -9;
    EXPECT_FALSE(engine::dm_read_VersionServicePackBuild(installation.database("Orders"), v, sp, bb));
    EXPECT_FALSE(engine::dm_read_VersionServicePackBuild(installation.layout().root + "none.fdb", v, sp, bb));
    EXPECT_EQ(std::tie(v, sp, bb), std::make_tuple(-9, -9, -9));
}

TEST_F(VersionStampTest, CheckAcceptsTheRequiredBuildOrTheNewOne) {
    struct Case {
        int build;
        int bb;
        int bbNew;
        bool accepted;
    };
    const Case cases[] = {{6, 6, 7, true},  {7, 6, 7, true},   {5, 6, 7, false},
                          {3, 3, -1, true}, {4, 3, -1, false}, {-1, 3, -1, false}};
    for (const auto& c : cases) {
        sql("System", "UPDATE kv_Setting SET Build = " + std::to_string(c.build) + ";");
        ASSERT_TRUE(open("System"));
        EXPECT_EQ(module->control_Version(8, 0, c.bb, c.bbNew), c.accepted)
            << "build " << c.build << " against " << c.bb << "/" << c.bbNew;
    }
    sql("System", "UPDATE kv_Setting SET Version = 7, Build = 3;");
    ASSERT_TRUE(open("System"));
    EXPECT_FALSE(module->control_Version(8, 0, 3, -1));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(VersionStampTest, CheckOnABrokenStampTableShowsTheDatabaseAndTheError) {
    sql("Grelto", "DROP TABLE kv_Setting;");
    ASSERT_TRUE(open("Grelto"));
    EXPECT_FALSE(module->control_Version(8, 0, 0, -1));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].rfind(installation.database("Grelto") + "\r\r", 0), 0u) << ui.messages[0];
    EXPECT_NE(ui.messages[0].find("KV_SETTING"), std::string::npos) << ui.messages[0];
}

TEST_F(VersionStampTest, OpeningAMissingFileKeepsThePreviousDatabaseOpen) {
    ASSERT_TRUE(open("Base"));
    EXPECT_FALSE(module->OpenDataBase(installation.layout().kalver800 + "Missing.fdb"));
    EXPECT_TRUE(module->IBDatabase1.connected());
    EXPECT_EQ(module->IBDatabase1.path(), installation.database("Base"));
    EXPECT_TRUE(module->control_Tablel("kv_Setting"));
}

TEST_F(VersionStampTest, OpeningAFileThatIsNoDatabaseFailsQuietly) {
    const std::string junk = installation.layout().kalver800 + "Junk.fdb";
    {
        std::FILE* f = std::fopen(junk.c_str(), "wb");
        std::fputs("not a database", f);
        std::fclose(f);
    }
    EXPECT_FALSE(module->OpenDataBase(junk));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(VersionStampTest, WritingTheStampSetsEveryRowAndCountsAStep) {
    sql("Pellix", "INSERT INTO kv_Setting VALUES (7, 12, 3);");
    ASSERT_TRUE(open("Pellix"));
    module->fw_Write_Version(8, 0, 0);
    EXPECT_EQ(engine::KolvoStep, 1);
    EXPECT_EQ(ui.overallGauge, 1);
    EXPECT_EQ(module->ft_TableReadRecordCount("kv_Setting", "Version = 8 AND ServicePack = 0 AND Build = 0"), 2);
}

TEST_F(VersionStampTest, AFailedStampWriteCountsNothing) {
    sql("Pellix", "ALTER TABLE kv_Setting DROP Build;");
    ASSERT_TRUE(open("Pellix"));
    module->fw_Write_Version(8, 0, 0);
    EXPECT_EQ(engine::KolvoStep, 0);
}

class MinimaTest : public EngineTest {};

TEST_F(MinimaTest, TheLowestPairOfOneDatabaseIsTaken) {
    sql("Base", "UPDATE kv_Setting SET ServicePack = 0, Build = 5;");
    sql("Price", "UPDATE kv_Setting SET ServicePack = 1, Build = 3;");
    for (const char* name : {"Config", "Orders", "OrdersServer", "Sorvin", "Pellix", "Grelto", "System"}) {
        sql(name, "UPDATE kv_Setting SET ServicePack = 0, Build = 6;");
    }
    int vbb = 0;
    EXPECT_EQ(module->read_miniServicePackBuild(vbb), 0);
    EXPECT_EQ(vbb, 5);
    EXPECT_FALSE(module->IBDatabase1.connected());
}

TEST_F(MinimaTest, AMissingColumnTakesPartAsMinusOne) {
    sql("Sorvin", "ALTER TABLE kv_Setting DROP Build;");
    int vbb = 0;
    EXPECT_EQ(module->read_miniServicePackBuild(vbb), 0);
    EXPECT_EQ(vbb, -1);
}

TEST_F(MinimaTest, TheServerOrdersDatabaseCountsOnlyWhenItsFileExists) {
    sql("OrdersServer", "UPDATE kv_Setting SET Build = 1;");
    int vbb = 0;
    module->read_miniServicePackBuild(vbb);
    EXPECT_EQ(vbb, 0);
    sql("Base", "UPDATE kv_Setting SET Build = 2;");
    for (const char* name : {"Config", "Orders", "Sorvin", "Price", "Pellix", "Grelto", "System"}) {
        sql(name, "UPDATE kv_Setting SET Build = 2;");
    }
    module->read_miniServicePackBuild(vbb);
    EXPECT_EQ(vbb, 1);
    kvSetting.KVFile.FileOrdersServer = installation.layout().kalver800 + "Elsewhere.fdb";
    module->read_miniServicePackBuild(vbb);
    EXPECT_EQ(vbb, 2);
}

class NothingOpensTest : public EngineTest {
protected:
    NothingOpensTest() : EngineTest(allOmitted()) {}
    static tools::InstallationSpec allOmitted() {
        tools::InstallationSpec spec;
        for (const auto& name : tools::databaseNames(tools::Release::V8)) {
            spec.omit.insert(name);
        }
        return spec;
    }
};

TEST_F(NothingOpensTest, MinimaStayAtTheLargestInteger) {
    int vbb = 0;
    EXPECT_EQ(engine::dm_read_miniServicePackBuild(vbb), INT_MAX);
    EXPECT_EQ(vbb, INT_MAX);
}

TEST(ServerVersionText, GivesTheVersionTimesTen) {
    struct Case {
        const char* text;
        int version;
    };
    const Case cases[] = {{"LI-V3.0.11.33637 Firebird 3.0", 30},
                          {"WI-V2.5.9.27139 Firebird 2.5", 25},
                          {"WI-V2.1.7.18553 Firebird 2.1", 21},
                          {"LI-V3.0 Firebird three", -1},
                          {"", -1}};
    for (const auto& c : cases) {
        EXPECT_EQ(engine::parseFirebirdVersion(c.text), c.version) << c.text;
    }
    EXPECT_EQ(engine::outdatedFirebirdMessage(21),
              "У Вас устаревшая версия Firebird 2.1\r\rНовую версию Firebird 2.5 можно приобрести у разработчика\r"
              "БЕСПЛАТНО (т.е. на халяву)\r\rPS. Работоспособность программы \"Калвер\"\rна старом Firebird не "
              "гарантируется");
}
