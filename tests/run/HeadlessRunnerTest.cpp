#include "RunSupport.h"

#include "platform/FileSystem.h"
#include "support/ScriptedUserInterface.h"
#include "support/TestInstallation.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>

using run_testing::stampOf;

namespace {

struct ChildResult {
    int status = -1;
    std::string out;
    std::string err;
};

std::string quoted(const std::string& text) {
    std::string result = "'";
    for (char c : text) {
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return result + "'";
}

// Runs the built runner with its registry stores in the given folders.
ChildResult runHeadless(const std::string& machineConfig, const std::string& userConfig,
                        const std::string& outputFolder, const std::string& arguments = "") {
    const std::string out = outputFolder + "headless.out";
    const std::string err = outputFolder + "headless.err";
    const std::string command = "XDG_CONFIG_DIRS=" + quoted(machineConfig) + " XDG_CONFIG_HOME=" + quoted(userConfig) +
                                " " + quoted(UPGRADE_HEADLESS) + " " + arguments + " >" + quoted(out) + " 2>" +
                                quoted(err) + " </dev/null";
    const int raw = std::system(command.c_str());
    ChildResult result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    platform::readWholeFile(out, result.out);
    platform::readWholeFile(err, result.err);
    return result;
}

class HeadlessRunnerTest : public ::testing::Test {
protected:
    void build(tools::InstallationSpec spec) {
        installation = std::make_unique<testing_support::TestInstallation>(std::move(spec));
    }
    ChildResult run(const std::string& arguments = "") {
        const auto& layout = installation->layout();
        return runHeadless(layout.machineConfig, layout.userConfig, layout.root, arguments);
    }

    testing_support::ScriptedUserInterface ui;
    std::unique_ptr<testing_support::TestInstallation> installation;
};

TEST_F(HeadlessRunnerTest, ConvertsA712SetInstallsThePacksItCarriesAndStopsAtTheFirstItLacks) {
    build(run_testing::set712InVersion8Folder());

    const ChildResult result = run();

    EXPECT_EQ(result.status, 1) << result.out << result.err;
    for (const char* line : {"Установлена версия 8, Service Pack 00.00\n", "Установлен Service Pack 00.01\n",
                             "Установлен Service Pack 00.02\n", "Установлен Service Pack 00.03\n",
                             "Начало установки Service Pack 00.04\n"}) {
        EXPECT_NE(result.out.find(line), std::string::npos) << line << result.out;
    }
    EXPECT_EQ(result.out.find("Установлен Service Pack 00.04"), std::string::npos) << result.out;
    EXPECT_NE(result.err.find("Установка невозможна\nКод: sp.04\n"), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find("Что-то пошло не так"), std::string::npos) << result.err;
    for (const auto& name : tools::databaseNames(tools::Release::V8)) {
        if (name == "Sorvin") {
            EXPECT_FALSE(platform::fileExists(installation->database(name))) << "gone after 8.00.03";
        } else {
            EXPECT_EQ(stampOf(installation->database(name)), std::make_tuple(8, 0, 3)) << name;
        }
    }
    EXPECT_EQ(run_testing::rowCount(installation->database("Base"), "acc", "KodGroup = 6"), 1);
    EXPECT_EQ(run_testing::rowCount(installation->database("Base"), "StockMain", "KodMaterial = 6"), 1);
    EXPECT_EQ(run_testing::rowCount(installation->database("Orders"), "o_Service", "KodService = 6"), 1);
}

TEST_F(HeadlessRunnerTest, ANewerUpdateCannotBeUpgraded) {
    build(run_testing::stampedSpec({8, 1, 0}));

    const ChildResult result = run();

    EXPECT_EQ(result.status, 2) << result.out << result.err;
    EXPECT_NE(result.err.find("У Вас установлено более новое обновление\n"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("8.1.0"), std::string::npos) << result.err;
    EXPECT_EQ(result.out.find("Установка обновлений:"), std::string::npos) << result.out;
    for (const auto& name : tools::databaseNames(tools::Release::V8)) {
        EXPECT_EQ(stampOf(installation->database(name)), std::make_tuple(8, 1, 0)) << name;
    }
}

TEST(HeadlessRunner, WithoutAnInstallationKeyItNamesWhatIsMissing) {
    testing_support::TempDir folder;
    const std::string machine = folder.path() + "machine/";
    const std::string user = folder.path() + "user/";
    ASSERT_TRUE(platform::createDirectories(machine + "Vesk/"));
    ASSERT_TRUE(platform::createDirectories(user + "Vesk/"));
    platform::replaceFileContents(machine + "Vesk/registry.ini", "");

    const ChildResult result = runHeadless(machine, user, folder.path());

    EXPECT_EQ(result.status, 2) << result.out << result.err;
    EXPECT_NE(result.err.find("SOFTWARE\\Vesk\\Калвер\\8.00"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find(machine + "Vesk/registry.ini"), std::string::npos) << result.err;
    EXPECT_TRUE(result.out.empty()) << result.out;
}

TEST_F(HeadlessRunnerTest, TakesNoArguments) {
    build(run_testing::stampedSpec({8, 0, 0}));

    const ChildResult result = run("--now");

    EXPECT_EQ(result.status, 2) << result.out << result.err;
    EXPECT_NE(result.err.find("no arguments"), std::string::npos) << result.err;
    EXPECT_TRUE(result.out.empty()) << result.out;
    EXPECT_EQ(stampOf(installation->database("Base")), std::make_tuple(8, 0, 0));
}

} // namespace
