#include "RunSupport.h"

#include "environment/PreFlight.h"
#include "run/RestorePoint.h"
#include "run/StateDetection.h"
#include "support/ScriptedUserInterface.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>

using run::StartPage;

namespace {

struct Case {
    const char* name;
    tools::InstallationSpec spec;
    bool ready;
    StartPage page;
    std::string currentBuild;
    std::vector<std::string> verdict; // lines between the current build and the end
};

tools::InstallationSpec release712(tools::Stamp stamp) {
    tools::InstallationSpec spec = run_testing::stampedSpec(stamp);
    spec.release = tools::Release::V712;
    return spec;
}

tools::InstallationSpec nothingAtAll() {
    tools::InstallationSpec spec;
    for (const auto& name : tools::databaseNames(tools::Release::V8)) {
        spec.omit.insert(name);
    }
    return spec;
}

// Builds the installation, runs the pre-flight as the start-up does, then the detection.
run::DetectedState detect(const tools::InstallationSpec& spec) {
    testing_support::TestInstallation installation(spec);
    environment::Files712 = {};
    environment::control_UpgradeFiles(installation.preFlightEnvironment());
    environment::TProgramInfo info;
    return run::detectState(info);
}

std::vector<std::string> after(const std::vector<std::string>& lines, const std::string& first) {
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].rfind(first, 0) == 0) {
            return {lines.begin() + static_cast<std::ptrdiff_t>(i) + 1, lines.end()};
        }
    }
    return {"<no line " + first + ">"};
}

} // namespace

TEST(StateDetection, TheLowestStampDecidesWhatMayBeDone) {
    testing_support::ScriptedUserInterface ui;
    const std::string next = "Нажмите кн. Далее для продолжения установки";
    const Case cases[] = {
        {"8.0.3 everywhere", run_testing::stampedSpec({8, 0, 3}), true, StartPage::Start, "8.0.3", {next}},
        {"7.12.4 only", release712({7, 12, 4}), true, StartPage::Choice, "7.12.4", {next}},
        {"7.11.9",
         release712({7, 11, 9}),
         false,
         StartPage::Start,
         "7.11.9",
         {"У Вас НЕ установлено последнее обновление версии 7.12 (7.11.9)", "Обратитесь к разработчику", ""}},
        {"7.12.0",
         release712({7, 12, 0}),
         true,
         StartPage::Choice,
         "7.12.0",
         {"У Вас НЕ установлено последнее обновление версии 7.12 (7.12.0)", "Обратитесь к разработчику", "", next}},
        {"8.1.0 everywhere",
         run_testing::stampedSpec({8, 1, 0}),
         false,
         StartPage::Start,
         "8.1.0",
         {"У Вас установлено более новое обновление", "Вы не можете вернуться к старому обновлению", ""}},
        // The lowest stamp is that of one database, never one made of the parts of several.
        {"one at 8.1.0, the others at 8.0.3",
         run_testing::stampedSpec({8, 0, 3}, {{"Config", {8, 1, 0}}}),
         true,
         StartPage::Start,
         "8.0.3",
         {next}},
        // A conversion that stopped half-way is offered again.
        {"versions 800 and 712, 712 first",
         run_testing::stampedSpec({800, 0, 3}, {{"Base", {712, 12, 4}}}),
         true,
         StartPage::Start,
         "7.12.4",
         {next}},
        {"versions 800 and 712, 712 last",
         run_testing::stampedSpec({800, 0, 3}, {{"Price", {712, 12, 4}}}),
         true,
         StartPage::Start,
         "7.12.4",
         {next}},
        {"nothing readable",
         nothingAtAll(),
         false,
         StartPage::Start,
         "2147483647.2147483647.2147483647",
         {"У Вас установлена более новая версия программы", "Вы не можете вернуться к старой версии", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const run::DetectedState state = detect(c.spec);
        EXPECT_EQ(state.ready, c.ready);
        if (c.ready) {
            EXPECT_EQ(state.page, c.page);
        }
        EXPECT_EQ(after(state.lines, "Текущая сборка: \t" + c.currentBuild), c.verdict);
    }
}

TEST(StateDetection, EveryDatabaseHasItsLineInTheWizardsOrder) {
    testing_support::ScriptedUserInterface ui;
    tools::InstallationSpec spec = run_testing::stampedSpec({8, 0, 5}, {{"Sorvin", {8, 0, 6}}}, {"Grelto"});
    testing_support::TestInstallation installation(spec);
    environment::Files712 = {};
    ASSERT_TRUE(environment::control_UpgradeFiles(installation.preFlightEnvironment()));
    environment::TProgramInfo info;
    const run::DetectedState state = run::detectState(info);
    const std::string dir = installation.layout().kalver800;
    EXPECT_EQ(state.lines, (std::vector<std::string>{
                               "База: " + dir,
                               "Base.fdb:       сборка (8.00.05)",
                               "Config.fdb:     сборка (8.00.05)",
                               "System.fdb:     сборка (8.00.05)",
                               "Orders.fdb:     сборка (8.00.05)",
                               "OrdersServer.fdb: сборка (8.00.05)",
                               "Pellix.fdb:     сборка (8.00.05)",
                               "Sorvin.fdb:     сборка (8.00.06)",
                               "Price.fdb:      сборка (8.00.05)",
                               "Текущая сборка: \t8.0.5",
                               "Нажмите кн. Далее для продолжения установки",
                           }));
    EXPECT_EQ(std::tie(info.VersionMain, info.Version, info.ServicePack, info.Build), std::make_tuple(8, 0, 7, 24));
    EXPECT_EQ(engine::fileSorvin, dir + "Sorvin.fdb");
}

TEST(StateDetection, StampLinesPadTheNameAndWriteTheVersionWithoutTrailingZeros) {
    EXPECT_EQ(run::stampLine("/x/Base.fdb", 8, 0, 5), "Base.fdb:       сборка (8.00.05)");
    EXPECT_EQ(run::stampLine("/x/Base.fdb", 70, 12, 4), "Base.fdb:       сборка (7.12.04)");
    EXPECT_EQ(run::stampLine("/x/Base.fdb", 0, 0, 0), "Base.fdb:       сборка (.00.00)");
    EXPECT_EQ(run::stampLine("/x/OrdersServer.fdb", 800, 0, 7), "OrdersServer.fdb: сборка (8.00.07)");
}

// A run stopped after its backup: the next start names the backup and offers the restore
// before anything else; Yes puts every database back, No leaves them for the run to go on.
TEST(StateDetection, AnUnfinishedRunIsNamedAndItsRestoreOfferedFirst) {
    for (const bool restore : {true, false}) {
        SCOPED_TRACE(restore ? "restored" : "declined");
        testing_support::ScriptedUserInterface ui;
        testing_support::TestInstallation installation(run_testing::stampedSpec({8, 0, 1}));
        environment::Files712 = {};
        ASSERT_TRUE(environment::control_UpgradeFiles(installation.preFlightEnvironment()));
        engine::fileSorvin = installation.layout().kalver800 + "Sorvin.fdb";
        const std::optional<run::RestorePoint> point = run::makeRestorePoint();
        ASSERT_TRUE(point.has_value());
        tools::runScript(installation.database("Base"), 12, "UPDATE kv_Setting SET Build = 2;");
        ui.answers = {restore};

        environment::TProgramInfo info;
        const run::DetectedState state = run::detectState(info);

        ASSERT_GE(state.lines.size(), 3u);
        EXPECT_EQ(state.lines[0], "Предыдущая установка обновлений не завершена");
        EXPECT_EQ(state.lines[1], "Резервная копия баз данных: " + point->folder);
        ASSERT_FALSE(ui.questions.empty());
        EXPECT_NE(ui.questions[0].find(point->folder), std::string::npos);
        EXPECT_EQ(run::readMarker().has_value(), !restore);
        EXPECT_EQ(std::get<2>(run_testing::stampOf(installation.database("Base"))), restore ? 1 : 2);
        EXPECT_EQ(state.minima.MinBuild, 1);
    }
}
