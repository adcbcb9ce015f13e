#include "EngineFixture.h"

#include "engine/PackFrame.h"
#include "environment/KvSetting.h"
#include "platform/FileSystem.h"

using environment::kvSetting;

class PackFrameTest : public EngineTest {
protected:
    std::string eventLog() {
        std::string text;
        platform::readWholeFile(kvSetting.KVFile.FileRegister, text);
        return text;
    }
    int buildOf(const std::string& name) {
        int v = 0, sp = 0, bb = -9;
        engine::dm_read_VersionServicePackBuild(installation.database(name), v, sp, bb);
        return bb;
    }
};

TEST_F(PackFrameTest, TheWrapperWritesBothEventsAroundASuccessfulPack) {
    engine::KolvoStep = 99;
    int seen = -1;
    EXPECT_TRUE(engine::runPackWrapper(3, [&](engine::TDM1& dm) {
        seen = engine::KolvoStep;
        EXPECT_EQ(engine::DM1, &dm);
        return true;
    }));
    EXPECT_EQ(seen, 0);
    const std::string log = eventLog();
    EXPECT_NE(log.find(": *402 Установка обновления 80003\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find(": *403 Обновление установлено\r\n"), std::string::npos) << log;
    EXPECT_EQ(kvSetting.Kod2, 0);
}

TEST_F(PackFrameTest, AFailedPackHasNoClosingEvent) {
    EXPECT_FALSE(engine::runPackWrapper(5, [](engine::TDM1&) {
        engine::inc_KolvoStep(7);
        return false;
    }));
    EXPECT_EQ(engine::KolvoStep, 7);
    const std::string log = eventLog();
    EXPECT_NE(log.find("*402 Установка обновления 80005"), std::string::npos);
    EXPECT_EQ(log.find("*403"), std::string::npos);
}

TEST_F(PackFrameTest, AnErrorFromThePackFreesTheModuleAndTravelsOn) {
    EXPECT_THROW(engine::runPackWrapper(6,
                                        [](engine::TDM1& dm) -> bool {
                                            dm.OpenDataBase(kvSetting.KVFile.FileBase);
                                            throw std::invalid_argument("empty type");
                                        }),
                 std::invalid_argument);
    EXPECT_EQ(eventLog().find("*403"), std::string::npos);
}

TEST_F(PackFrameTest, DatabasesAtAnotherStampCountTheirWeightAndKeepTheirStamps) {
    sql("Base", "UPDATE kv_Setting SET Build = 4;");
    sql("Config", "UPDATE kv_Setting SET Build = 6;");
    std::vector<std::string> visited;
    auto part = [&](const std::string& name) {
        return engine::Part{{3, [&visited, name](engine::TDM1&) {
                                 visited.push_back(name);
                                 engine::inc_KolvoStep(3);
                                 return engine::Flow::Next;
                             }}};
    };
    const engine::PackTable pack{.number = 5,
                                 .required = engine::RequiredStamp{8, 0, 4, -1},
                                 .databases = {
                                     {engine::Slot::Base, part("Base")},
                                     {engine::Slot::Config, part("Config")},
                                     {engine::Slot::OrdersServer, part("Server")},
                                 }};
    kvSetting.KVFile.FileOrdersServer = installation.layout().kalver800 + "Gone.fdb";
    EXPECT_TRUE(engine::runPack(*module, pack));
    EXPECT_EQ(visited, std::vector<std::string>{"Base"});
    EXPECT_EQ(engine::KolvoStep, 18);
    EXPECT_EQ(buildOf("Base"), 5);
    EXPECT_EQ(buildOf("Config"), 6);
    EXPECT_EQ(buildOf("Orders"), 0);
}

TEST_F(PackFrameTest, ADatabaseThatIsThereButDoesNotOpenFailsThePack) {
    sql("Base", "UPDATE kv_Setting SET Build = 4;");
    sql("Config", "UPDATE kv_Setting SET Build = 4;");
    platform::replaceFileContents(installation.database("Config"), "not a database");
    int ran = 0;
    const engine::Part part{{1, [&ran](engine::TDM1&) {
                                 ++ran;
                                 engine::inc_KolvoStep(1);
                                 return engine::Flow::Next;
                             }}};
    const engine::PackTable pack{.number = 5,
                                 .required = engine::RequiredStamp{8, 0, 4, -1},
                                 .databases = {{engine::Slot::Base, part}, {engine::Slot::Config, part}}};
    EXPECT_FALSE(engine::runPack(*module, pack));
    EXPECT_EQ(ran, 1);
    EXPECT_EQ(buildOf("Base"), 4);
    EXPECT_NE(eventLog().find(installation.database("Config")), std::string::npos);
    ASSERT_FALSE(ui.runLog.empty());
    EXPECT_NE(ui.runLog[0].find("Не удалось открыть базу данных " + installation.database("Config")),
              std::string::npos);
}

TEST_F(PackFrameTest, TheInnerGaugeShowsOnlyLongSteps) {
    engine::gauge2_Show(9);
    EXPECT_FALSE(ui.innerVisible);
    engine::gauge2_Next();
    EXPECT_EQ(ui.innerPosition, 0);
    engine::gauge2_Show(10);
    EXPECT_TRUE(ui.innerVisible);
    EXPECT_EQ(ui.innerMaximum, 10);
    engine::gauge2_Next();
    EXPECT_EQ(ui.innerPosition, 1);
    engine::gauge2_Hide();
    EXPECT_FALSE(ui.innerVisible);
    EXPECT_EQ(engine::KolvoStep, 0);
}
