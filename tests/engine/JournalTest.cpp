#include "EngineFixture.h"

#include "environment/KvSetting.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <filesystem>

using environment::kvSetting;

namespace {

const std::vector<std::string> kNine = {"Base",  "Config", "Orders", "OrdersServer", "Sorvin",
                                        "Price", "Pellix", "Grelto", "System"};

} // namespace

class JournalTest : public EngineTest {
protected:
    // As a pack leaves the module when it processed every database.
    JournalTest() {
        for (const auto& info : engine::allSlots()) {
            module->markProcessed(info.slot);
        }
    }
    struct Stamp {
        int sp;
        int build;
    };
    Stamp stampOf(const std::string& name) {
        EXPECT_TRUE(open(name));
        int v = 0, sp = -9, bb = -9;
        module->read_Vers_SP_Build(v, sp, bb);
        module->CloseDataBase();
        return {sp, bb};
    }
    std::vector<std::string> journalOf(const std::string& name) {
        EXPECT_TRUE(open(name));
        std::vector<std::string> rows;
        module->IBQueryRead.SQL = {"SELECT uVersion FROM log_Upgrade ORDER BY kodLog"};
        module->IBQueryRead.open();
        for (; !module->IBQueryRead.eof(); module->IBQueryRead.next()) {
            rows.push_back(module->IBQueryRead.fieldAsString(0));
        }
        module->CloseDataBase();
        return rows;
    }
};

TEST_F(JournalTest, APackThatCountedItsStepsStampsAndJournalsEveryDatabase) {
    engine::KolvoStep = 31;
    EXPECT_TRUE(module->fw_Write_Result(0, 7, 31));
    EXPECT_EQ(engine::KolvoStep, 40);
    for (const auto& name : kNine) {
        EXPECT_EQ(stampOf(name).build, 7) << name;
        EXPECT_EQ(journalOf(name), std::vector<std::string>{"Base 8.0.7"}) << name;
    }
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(module->IBDatabase1.connected());
}

TEST_F(JournalTest, SlotsThePackDidNotProcessAreCountedButKeepTheirStamps) {
    module.reset();
    module = std::make_unique<engine::TDM1>();
    for (const auto slot : {engine::Slot::Base, engine::Slot::Config, engine::Slot::Orders, engine::Slot::Price,
                            engine::Slot::Pellix, engine::Slot::Grelto, engine::Slot::System}) {
        module->markProcessed(slot);
    }
    engine::KolvoStep = 31;
    EXPECT_TRUE(module->fw_Write_Result(0, 7, 31));
    EXPECT_EQ(engine::KolvoStep, 40);
    EXPECT_EQ(stampOf("Base").build, 7);
    for (const char* name : {"OrdersServer", "Sorvin"}) {
        EXPECT_EQ(stampOf(name).build, 0) << name;
        EXPECT_TRUE(journalOf(name).empty()) << name;
    }
}

TEST_F(JournalTest, AProcessedDatabaseThatNoLongerOpensFailsTheWalk) {
    std::filesystem::remove(engine::fileSorvin);
    engine::KolvoStep = 31;
    EXPECT_FALSE(module->fw_Write_Result(0, 7, 31));
    EXPECT_EQ(engine::KolvoStep, 39);
    EXPECT_NE(std::find_if(ui.runLog.begin(), ui.runLog.end(),
                           [](const std::string& line) {
                               return line.find("Не удалось открыть базу данных " + engine::fileSorvin) !=
                                      std::string::npos;
                           }),
              ui.runLog.end());
}

TEST_F(JournalTest, AShortCountJournalsTheErrorAndKeepsTheStamps) {
    for (const auto& name : kNine) {
        sql(name, "UPDATE kv_Setting SET Build = 4;");
    }
    engine::KolvoStep = 26;
    EXPECT_FALSE(module->fw_Write_Result(0, 5, 27));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "Что-то пошло не так\r01\rОбратитесь к разработчику\r\rСообщите код: 8.0.5.27.26\r");
    ASSERT_EQ(ui.runLog.size(), 1u);
    EXPECT_EQ(ui.runLog[0].substr(8), ": код: 8.0.5.27.26");
    // The error rows count nothing.
    EXPECT_EQ(engine::KolvoStep, 26);
    for (const auto& name : kNine) {
        EXPECT_EQ(stampOf(name).build, 4) << name;
        EXPECT_EQ(journalOf(name), std::vector<std::string>{"Base 8.0.5 - Error 8.0.5.27.26"}) << name;
    }
}

TEST_F(JournalTest, ADatabaseWithoutAJournalTurnsSuccessIntoOutcome02) {
    sql("Price", "DROP TRIGGER BI_LOG_UPGRADE;\nDROP TABLE log_Upgrade;");
    engine::KolvoStep = 27;
    EXPECT_FALSE(module->fw_Write_Result(0, 5, 27));
    EXPECT_EQ(engine::KolvoStep, 35);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "Что-то пошло не так\r02\rОбратитесь к разработчику\r\rСообщите код: 8.0.5.36.35\r");
    EXPECT_EQ(ui.runLog.at(0).substr(8), ": код: 8.0.5.36.35");
    // Its stamp was written all the same; the others have theirs and their rows.
    EXPECT_EQ(stampOf("Price").build, 5);
    EXPECT_EQ(stampOf("Pellix").build, 5);
    EXPECT_EQ(journalOf("Pellix"), std::vector<std::string>{"Base 8.0.5"});
}

TEST_F(JournalTest, Pack804NamesAnExistingSorvinFileFirst) {
    engine::KolvoStep = 225;
    EXPECT_TRUE(module->fw_Write_Result(0, 4, 225));
    EXPECT_EQ(ui.messages, std::vector<std::string>{engine::fileSorvin + " - YES"});
}

TEST_F(JournalTest, JournalRowsCarryTheTimeOfWriting) {
    platform::setClock([] { return platform::DateTime{2026, 12, 31, 23, 59, 58}; });
    ASSERT_TRUE(open("Base"));
    module->fw_Write_ServicePack_Log(0, 3);
    EXPECT_EQ(engine::KolvoStep, 1);
    module->IBQueryRead.SQL = {"SELECT EXTRACT(YEAR FROM uTime), EXTRACT(HOUR FROM uTime), kodLog FROM log_Upgrade"};
    module->IBQueryRead.open();
    EXPECT_EQ(module->IBQueryRead.fieldAsInteger(0), 2026);
    EXPECT_EQ(module->IBQueryRead.fieldAsInteger(1), 23);
    EXPECT_EQ(module->IBQueryRead.fieldAsInteger(2), 1);
    module->IBQueryRead.close();
}
