#include "FolderInstallation.h"

#include "environment/InstallCheck.h"
#include "environment/KvSetting.h"
#include "platform/Clock.h"
#include "support/ScriptedUserInterface.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using environment::kvSetting;
using environment_tests::FolderInstallation;
using environment_tests::kInstallSection;

const std::string kNotInstalled = "Не установлена программа Setup_0";
const std::string kBrokenConfiguration = "Нарушена конфигурация. Установите Setup_0";

class InstallCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::setClock([] { return platform::DateTime{2026, 12, 31, 23, 59, 58}; });
    }

    FolderInstallation installation;
    testing_support::ScriptedUserInterface ui;
};

TEST_F(InstallCheckTest, LargeEnoughScreenPassesWithoutAQuestion) {
    const platform::ScreenSize screens[] = {{1280, 900}, {1920, 1080}, {1280, 2000}, {4000, 900}};
    for (const auto& screen : screens) {
        SCOPED_TRACE(std::to_string(screen.width) + " x " + std::to_string(screen.height));
        ui.screen = screen;
        EXPECT_TRUE(environment::control_Screen());
        EXPECT_TRUE(environment::control_Install("h"));
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_TRUE(ui.questions.empty());
    }
}

TEST_F(InstallCheckTest, SmallScreenAsksWhetherToGoOn) {
    struct Case {
        platform::ScreenSize screen;
        bool goOn;
        std::string message;
    };
    const Case cases[] = {
        {{1024, 768}, false, "Параметры экрана должны быть не менее 1280 * 900\r\rУ вас: 1024 * 768"},
        {{1024, 768}, true, "Параметры экрана должны быть не менее 1280 * 900\r\rУ вас: 1024 * 768"},
        {{1279, 900}, false, "Параметры экрана должны быть не менее 1280 * 900\r\rУ вас: 1279 * 900"},
        {{1280, 899}, true, "Параметры экрана должны быть не менее 1280 * 900\r\rУ вас: 1280 * 899"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message + (c.goOn ? " / Yes" : " / No"));
        testing_support::resetProgramState();
        platform::setClock([] { return platform::DateTime{2026, 12, 31, 23, 59, 58}; });
        ui.messages.clear();
        ui.questions.clear();
        ui.screen = c.screen;
        ui.answers = {c.goOn};

        EXPECT_FALSE(environment::control_Screen());
        EXPECT_EQ(environment::control_Install("h"), c.goOn);
        EXPECT_EQ(ui.messages, std::vector<std::string>{c.message});
        EXPECT_EQ(ui.questions, std::vector<std::string>{"Продолжить?"});
        // Answered No, start-up ends before the installation is read.
        EXPECT_EQ(kvSetting.typeInstall, c.goOn ? "h" : "");
    }
}

TEST_F(InstallCheckTest, BrokenInstallationIsReported) {
    const std::string program = installation.layout.programDir;
    const std::string base = installation.layout.dataRoot;
    const std::string missing = installation.layout.root + "Missing/";
    const std::string aFile = installation.layout.root + "a-file";
    platform::replaceFileContents(aFile, "not a folder");
    struct Case {
        const char* name;
        std::string store;
        std::string message;
    };
    const auto key = [](const std::string& dirProgram, const std::string& dirBase, const std::string& type) {
        return kInstallSection + "DirProgram=" + dirProgram + "\nDirBase=" + dirBase + "\ntypeInstall=" + type + "\n";
    };
    const Case cases[] = {
        {"no installation key", "", kNotInstalled},
        {"installation type refused", key(program, base, "hd"), kNotInstalled},
        {"empty installation type", key(program, base, ""), kNotInstalled},
        {"data root missing", key(program, missing, "h"), kBrokenConfiguration},
        {"program folder missing", key(missing, base, "h"), kBrokenConfiguration},
        {"data root empty", key(program, "", "h"), kBrokenConfiguration},
        {"program folder empty", key("", base, "h"), kBrokenConfiguration},
        {"data root is a file", key(program, aFile, "h"), kBrokenConfiguration},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ui.messages.clear();
        installation.writeMachineStore(c.store);
        EXPECT_FALSE(environment::control_Install("h"));
        EXPECT_EQ(ui.messages, std::vector<std::string>{c.message});
        EXPECT_TRUE(ui.questions.empty());
    }
    // Nothing was logged or created on the way.
    EXPECT_FALSE(std::filesystem::exists(installation.layout.infoDir));
}

TEST_F(InstallCheckTest, StartDateAndFormatsAreSet) {
    ASSERT_TRUE(environment::control_Install("h"));
    const auto& start = kvSetting.DateStart;
    EXPECT_EQ(start.Year, 2026);
    EXPECT_EQ(start.Month, 12);
    EXPECT_EQ(start.Day, 31);
    EXPECT_EQ(start.cDateBegin, "01.01.2026");
    EXPECT_EQ(start.cDateEnd, "31.12.2026");
    EXPECT_EQ(kvSetting.DecimalSeparator_0, '.');
    EXPECT_EQ(kvSetting.typeInstall, "h");
    EXPECT_EQ(kvSetting.KVFile.FileRegister, installation.layout.infoDir + "Register 2026.log");
}

} // namespace
