#include "RunSupport.h"

#include "engine/EngineState.h"
#include "environment/KvSetting.h"
#include "packs/PackWrappers.h"
#include "platform/FileSystem.h"
#include "support/ScriptedUserInterface.h"
#include "support/TestInstallation.h"

#include <gtest/gtest.h>

#include <memory>

using environment::kvSetting;
using run_testing::rowCount;
using run_testing::stampOf;

namespace {

const char* const kNames[] = {"Base",  "Config", "Orders", "OrdersServer", "Sorvin",
                              "Price", "Pellix", "Grelto", "System"};

// The real conversion pack through its wrapper, on 7.12 databases placed in the version-8 folder.
class ConversionPackTest : public ::testing::Test {
protected:
    void build(std::set<std::string> omit = {}) {
        installation =
            std::make_unique<testing_support::TestInstallation>(run_testing::set712InVersion8Folder(std::move(omit)));
        run_testing::pointAtInstallation(*installation);
    }
    void TearDown() override { engine::fileSorvin.clear(); }

    std::string path(const std::string& name) const { return installation->database(name); }
    std::string eventLog() const {
        std::string text;
        return platform::readWholeFile(kvSetting.KVFile.FileRegister, text) ? text : "<missing>";
    }

    testing_support::ScriptedUserInterface ui;
    std::unique_ptr<testing_support::TestInstallation> installation;
};

TEST_F(ConversionPackTest, StampsEveryDatabase800AndJournalsIt) {
    build();
    EXPECT_EQ(rowCount(path("System"), "Set_Grid"), 2);
    ui.overallGauge = 0;

    EXPECT_TRUE(packs::dm_SPold_007_12_SPnew_008());
    EXPECT_EQ(engine::KolvoStep, 30);
    EXPECT_EQ(ui.overallGauge, 30);
    EXPECT_TRUE(ui.messages.empty());

    for (const char* name : kNames) {
        EXPECT_EQ(stampOf(path(name)), std::make_tuple(8, 0, 0)) << name;
        EXPECT_EQ(rowCount(path(name), "log_Upgrade"), 1) << name;
        EXPECT_EQ(rowCount(path(name), "log_Upgrade", "uVersion = 'Base 8.0.0'"), 1) << name;
    }
    for (const char* table : {"Set_Grid", "Set_Button", "SET_DOCPROFIL"}) {
        EXPECT_EQ(rowCount(path("System"), table), 0) << table;
    }

    const std::string log = eventLog();
    const auto started = log.find(": *402 Установка обновления 80000\r\n");
    const auto installed = log.find(": *403 Обновление установлено\r\n");
    ASSERT_NE(started, std::string::npos) << log;
    ASSERT_NE(installed, std::string::npos) << log;
    EXPECT_LT(started, installed);
    // The pack's code goes with its start entry only.
    EXPECT_EQ(log.find("80000"), log.rfind("80000")) << log;
    EXPECT_EQ(kvSetting.Kod2, 0);
}

TEST_F(ConversionPackTest, WithNoDatabaseTheWeightsAloneComplete) {
    build({std::begin(kNames), std::end(kNames)});

    EXPECT_TRUE(packs::dm_SPold_007_12_SPnew_008());
    // 21 from the weights of the nine skipped databases, 9 from the journal walk finding none.
    EXPECT_EQ(engine::KolvoStep, 30);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(ui.runLog.empty());
}

TEST_F(ConversionPackTest, ASecondRunJournalsAgainAndEmptiesTheLayoutsAgain) {
    build();
    ASSERT_TRUE(packs::dm_SPold_007_12_SPnew_008());
    tools::runScript(path("System"), 12,
                     "INSERT INTO Set_Grid (KodGrid, NameForm) VALUES (7, 'Новая');\n"
                     "INSERT INTO SET_DOCPROFIL (KodProfil, NameProfil) VALUES (7, 'Новый');");
    tools::runScript(path("Base"), 12, "UPDATE kv_Setting SET Build = 3;");

    EXPECT_TRUE(packs::dm_SPold_007_12_SPnew_008());
    EXPECT_EQ(engine::KolvoStep, 30);
    for (const char* name : kNames) {
        EXPECT_EQ(stampOf(path(name)), std::make_tuple(8, 0, 0)) << name;
        EXPECT_EQ(rowCount(path(name), "log_Upgrade", "uVersion = 'Base 8.0.0'"), 2) << name;
    }
    for (const char* table : {"Set_Grid", "Set_Button", "SET_DOCPROFIL"}) {
        EXPECT_EQ(rowCount(path("System"), table), 0) << table;
    }
}

TEST_F(ConversionPackTest, WithoutTheServerOrdersDatabaseItStillSucceeds) {
    build({"OrdersServer"});

    EXPECT_TRUE(packs::dm_SPold_007_12_SPnew_008());
    EXPECT_EQ(engine::KolvoStep, 30);
    EXPECT_TRUE(ui.messages.empty());
    for (const char* name : kNames) {
        if (std::string(name) != "OrdersServer") {
            EXPECT_EQ(stampOf(path(name)), std::make_tuple(8, 0, 0)) << name;
        }
    }
    EXPECT_FALSE(platform::fileExists(path("OrdersServer")));
}

} // namespace
