#include "RunSupport.h"

#include "engine/firebird/Connection.h"
#include "environment/PreFlight.h"
#include "platform/FileSystem.h"
#include "platform/NamedLock.h"
#include "run/RestorePoint.h"
#include "support/ChainInstallation.h"
#include "support/ScriptedUserInterface.h"
#include "support/TestInstallation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

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
    // The machine store's folder also holds the run's single-instance lock, so that runs of other tests do not meet it.
    const std::string command = "XDG_CONFIG_DIRS=" + quoted(machineConfig) + " XDG_CONFIG_HOME=" + quoted(userConfig) +
                                " XDG_RUNTIME_DIR=" + quoted(machineConfig) + " " + quoted(UPGRADE_HEADLESS) + " " +
                                arguments + " >" + quoted(out) + " 2>" + quoted(err) + " </dev/null";
    const int raw = std::system(command.c_str());
    ChildResult result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    platform::readWholeFile(out, result.out);
    platform::readWholeFile(err, result.err);
    return result;
}

// Every database of an installation as db-dump prints it, times and generated GUIDs aside.
std::string dumpOf(const testing_support::TestInstallation& installation) {
    std::string all;
    for (const auto& name : tools::databaseNames(tools::Release::V8)) {
        const std::string path = installation.database(name);
        std::string out = "absent\n";
        if (platform::fileExists(path)) {
            const std::string file = installation.layout().root + "dump.out";
            EXPECT_EQ(std::system((quoted(DB_DUMP) + " " + quoted(path) + " >" + quoted(file) + " 2>&1").c_str()), 0)
                << name;
            platform::readWholeFile(file, out);
        }
        all += "== " + name + "\n" + out;
    }
    return all;
}

// Every database's shape, a line per column, as the expected schema describes it.
std::string describedShape(const testing_support::TestInstallation& installation) {
    std::string described;
    for (const auto& name : tools::databaseNames(tools::Release::V8)) {
        for (const auto& line : run_testing::shapeOf(installation.database(name))) {
            described += name + " " + line + "\n";
        }
    }
    return described;
}

class HeadlessRunnerTest : public ::testing::Test {
protected:
    void build(tools::InstallationSpec spec) {
        // The one before goes first: going, it clears the settings that the new one reads.
        installation.reset();
        installation = std::make_unique<testing_support::TestInstallation>(std::move(spec));
    }
    ChildResult run(const std::string& arguments = "") {
        const auto& layout = installation->layout();
        return runHeadless(layout.machineConfig, layout.userConfig, layout.root, arguments);
    }

    testing_support::ScriptedUserInterface ui;
    std::unique_ptr<testing_support::TestInstallation> installation;
};

TEST_F(HeadlessRunnerTest, ConvertsA712SetAndUpgradesItTo807InOneRun) {
    build(run_testing::set712InVersion8Folder());

    const ChildResult result = run();

    EXPECT_EQ(result.status, 0) << result.out << result.err;
    for (const char* line :
         {"Установлена версия 8, Service Pack 00.00\n", "Установлен Service Pack 00.01\n",
          "Установлен Service Pack 00.02\n", "Установлен Service Pack 00.03\n", "Установлен Service Pack 00.04\n",
          "Установлен Service Pack 00.05\n", "Установлен Service Pack 00.06\n", "Установлен Service Pack 00.07\n",
          "889-889\n", "Обновление версии 8.00 успешно завершено\n"}) {
        EXPECT_NE(result.out.find(line), std::string::npos) << line << result.out;
    }
    EXPECT_EQ(result.err.find("Что-то пошло не так"), std::string::npos) << result.err;
    for (const auto& name : tools::databaseNames(tools::Release::V8)) {
        if (name != "Sorvin") {
            EXPECT_EQ(stampOf(installation->database(name)), std::make_tuple(8, 0, 7)) << name;
            EXPECT_EQ(run_testing::rowCount(installation->database(name), "log_Upgrade"), 8) << name;
        }
    }
    EXPECT_FALSE(platform::fileExists(installation->database("Sorvin")));
    EXPECT_EQ(run_testing::rowCount(installation->database("Base"), "StockMain", "KodMaterial > 0"), 6);
    EXPECT_EQ(run_testing::rowCount(installation->database("Base"), "acc", "KodGroup = 6"), 1);
    EXPECT_EQ(run_testing::rowCount(installation->database("Orders"), "o_Service", "KodService = 6"), 1);
    EXPECT_EQ(run_testing::rowCount(installation->database("Orders"), "DE", "KodDE = 2 AND KodSubParameter = 3"), 1);

    // Every database in the shape the packs leave, as described in the expected schema.
    std::string described;
    for (const auto& name : tools::databaseNames(tools::Release::V8)) {
        for (const auto& line : run_testing::shapeOf(installation->database(name))) {
            described += name + " " + line + "\n";
        }
    }
    std::string expected;
    ASSERT_TRUE(platform::readWholeFile(EXPECTED_SCHEMA_807, expected));
    EXPECT_EQ(described, expected);

    // A second run installs 8.00.07 again and changes nothing else.
    std::map<std::string, int> rowsBefore;
    for (const auto& name : {"Base", "Config", "Orders"}) {
        rowsBefore[name] = run_testing::rowCount(installation->database(name), "DE");
    }
    const ChildResult again = run();
    EXPECT_EQ(again.status, 0) << again.out << again.err;
    EXPECT_EQ(again.out.find("Начало установки Service Pack 00.06"), std::string::npos) << again.out;
    EXPECT_NE(again.out.find("Установлен Service Pack 00.07\n"), std::string::npos) << again.out;
    std::string describedAgain;
    for (const auto& name : tools::databaseNames(tools::Release::V8)) {
        for (const auto& line : run_testing::shapeOf(installation->database(name))) {
            describedAgain += name + " " + line + "\n";
        }
        if (name != "Sorvin") {
            EXPECT_EQ(stampOf(installation->database(name)), std::make_tuple(8, 0, 7)) << name;
        }
    }
    EXPECT_EQ(describedAgain, described);
    for (const auto& [name, count] : rowsBefore) {
        EXPECT_EQ(run_testing::rowCount(installation->database(name), "DE"), count) << name;
    }
}

// Installations that earlier runs took to 8.0.0 and to 8.0.4 go on to 8.0.7 through the real packs: both
// end in the shape described for 8.0.7, with the same rows.
TEST_F(HeadlessRunnerTest, FromAnInstallationAt800Or804TheRunEndsAsTheWholeChain) {
    build(run_testing::stampedSpec({8, 0, 0}));
    const ChildResult whole = run();
    ASSERT_EQ(whole.status, 0) << whole.out << whole.err;
    std::string expected;
    ASSERT_TRUE(platform::readWholeFile(EXPECTED_SCHEMA_807, expected));
    EXPECT_EQ(describedShape(*installation), expected);
    const std::string wholeChain = dumpOf(*installation);

    // Taken to 8.0.4 by the packs themselves, as a run that ended there leaves it.
    testing_support::ChainInstallation at804(4);
    const auto& layout = at804.installation().layout();
    const ChildResult rest = runHeadless(layout.machineConfig, layout.userConfig, layout.root);
    EXPECT_EQ(rest.status, 0) << rest.out << rest.err;
    for (const char* line : {"Установлен Service Pack 00.05\n", "Установлен Service Pack 00.06\n",
                             "Установлен Service Pack 00.07\n", "889-889\n"}) {
        EXPECT_NE(rest.out.find(line), std::string::npos) << line << rest.out;
    }
    EXPECT_EQ(rest.out.find("Начало установки Service Pack 00.04"), std::string::npos) << rest.out;
    EXPECT_EQ(dumpOf(at804.installation()), wholeChain);
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
    EXPECT_NE(result.err.find("--now"), std::string::npos) << result.err;
    EXPECT_TRUE(result.out.empty()) << result.out;
    EXPECT_EQ(stampOf(installation->database("Base")), std::make_tuple(8, 0, 0));
}

std::string eventLogOf(const tools::InstallationLayout& layout) {
    std::string text;
    for (const auto& entry : std::filesystem::directory_iterator(layout.infoDir)) {
        std::string part;
        platform::readWholeFile(entry.path().string(), part);
        text += part;
    }
    return text;
}

// Faults of the installation that stop a run before it changes anything: each ends
// with a message naming the trouble, an event-log entry where the log can be written,
// and every database as it was.
TEST_F(HeadlessRunnerTest, FaultsOfTheInstallationStopTheRunBeforeAnyChange) {
    struct Case {
        const char* name;
        std::function<void(const tools::InstallationLayout&, const std::string& base)> damage;
        int status;
        std::string message; // in standard error or output
        bool namesBase;      // the message and the event log name Base.fdb
    };
    const auto truncate = [](const std::string& base, size_t keep) {
        std::string bytes;
        platform::readWholeFile(base, bytes);
        platform::replaceFileContents(base, bytes.substr(0, keep));
    };
    std::vector<Case> cases = {
        {"zero-byte Base", [&](auto&, const std::string& base) { truncate(base, 0); }, 1,
         "База данных не открывается: ", true},
        {"random Base",
         [](auto&, const std::string& base) {
             std::string noise(200000, '\0');
             for (size_t i = 0; i < noise.size(); ++i) {
                 noise[i] = static_cast<char>((i * 2654435761u) >> 13);
             }
             platform::replaceFileContents(base, noise);
         },
         1, "База данных не открывается: ", true},
        {"truncated Base", [&](auto&, const std::string& base) { truncate(base, 3 * 8192); }, 1,
         "База данных не открывается: ", true},
        {"missing Base", [](auto&, const std::string& base) { std::filesystem::remove(base); }, 2, "is incomplete",
         false},
        {"empty data folder",
         [](const tools::InstallationLayout& layout, const std::string&) {
             for (const auto& entry : std::filesystem::directory_iterator(layout.kalver800)) {
                 std::filesystem::remove_all(entry.path());
             }
         },
         2, "is incomplete", false},
        {"non-numeric NumberFirm",
         [](const tools::InstallationLayout& layout, const std::string&) {
             const std::string store = layout.machineConfig + "Vesk/registry.ini";
             std::string text;
             platform::readWholeFile(store, text);
             const auto at = text.find("NumberFirm=");
             ASSERT_NE(at, std::string::npos) << text;
             const auto end = text.find('\n', at);
             text.replace(at, end - at, "NumberFirm=12a");
             platform::replaceFileContents(store, text);
         },
         2, "NumberFirm не является числом: 12a", false},
    };
    if (::geteuid() != 0) {
        cases.push_back({"read-only Base",
                         [](auto&, const std::string& base) {
                             std::filesystem::permissions(base, std::filesystem::perms::owner_read |
                                                                    std::filesystem::perms::group_read);
                         },
                         1, "нет прав доступа", true});
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        build(run_testing::stampedSpec({8, 0, 0}));
        const std::string base = installation->database("Base");
        c.damage(installation->layout(), base);

        const ChildResult result = run();

        EXPECT_EQ(result.status, c.status) << result.out << result.err;
        EXPECT_NE((result.err + result.out).find(c.message), std::string::npos) << result.out << "\n---\n"
                                                                                << result.err;
        EXPECT_EQ(result.out.find("Начало установки"), std::string::npos) << result.out;
        if (c.namesBase) {
            EXPECT_NE(result.err.find(base), std::string::npos) << result.err;
            EXPECT_NE(eventLogOf(installation->layout()).find("*493 zuruzod 8e: " + base), std::string::npos);
        }
        for (const auto& name : tools::databaseNames(tools::Release::V8)) {
            if (name != "Base" && platform::fileExists(installation->database(name))) {
                EXPECT_EQ(stampOf(installation->database(name)), std::make_tuple(8, 0, 0)) << name;
                EXPECT_EQ(run_testing::rowCount(installation->database(name), "log_Upgrade", "1 = 1"), 0) << name;
            }
        }
    }
}

TEST_F(HeadlessRunnerTest, ADatabaseHeldByAnotherProcessIsNamedAndNothingChanges) {
    build(run_testing::stampedSpec({8, 0, 0}));
    const std::string base = installation->database("Base");
    engine::fb::Connection holder;
    holder.attach(base, {});

    const ChildResult result = run();

    EXPECT_EQ(result.status, 1) << result.out << result.err;
    EXPECT_NE(result.err.find("База данных не открывается:\n" + base), std::string::npos) << result.err;
    EXPECT_NE(eventLogOf(installation->layout()).find("*493 zuruzod 8e: " + base), std::string::npos);
    holder.close();
    for (const auto& name : tools::databaseNames(tools::Release::V8)) {
        EXPECT_EQ(stampOf(installation->database(name)), std::make_tuple(8, 0, 0)) << name;
    }
}

// The program in the same session holds its single-instance lock; a run of another user or
// session, whose runtime folder is its own, holds the installation's lock in the data root.
TEST_F(HeadlessRunnerTest, ASecondRunIsRefusedWhileTheProgramRuns) {
    for (const bool otherSession : {false, true}) {
        SCOPED_TRACE(otherSession ? "another session" : "the same session");
        build(run_testing::stampedSpec({8, 0, 0}));
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        const std::string kept = runtime ? runtime : "";
        ::setenv("XDG_RUNTIME_DIR", installation->layout().machineConfig.c_str(), 1);
        platform::NamedLock program =
            otherSession ? platform::NamedLock(platform::NamedLock::AtPath{run::installationLockPath()})
                         : platform::NamedLock("zuruzod 8e");
        runtime ? ::setenv("XDG_RUNTIME_DIR", kept.c_str(), 1) : ::unsetenv("XDG_RUNTIME_DIR");
        ASSERT_EQ(program.tryAcquire(), platform::NamedLock::Result::Acquired);

        const ChildResult result = run();

        EXPECT_EQ(result.status, 2) << result.out << result.err;
        EXPECT_NE(result.err.find("Upgrade уже запущен"), std::string::npos) << result.err;
        EXPECT_TRUE(result.out.empty()) << result.out;
        EXPECT_EQ(stampOf(installation->database("Base")), std::make_tuple(8, 0, 0));
    }
}

TEST_F(HeadlessRunnerTest, OfTwoRunsStartedTogetherTheSecondIsRefusedAndTheFirstFinishes) {
    build(run_testing::set712InVersion8Folder());
    const auto& layout = installation->layout();
    std::vector<ChildResult> results(2);
    std::vector<std::thread> runs;
    for (int i = 0; i < 2; ++i) {
        runs.emplace_back([&, i] {
            results[i] = runHeadless(layout.machineConfig, layout.userConfig, layout.root + std::to_string(i) + "-");
        });
    }
    for (auto& t : runs) {
        t.join();
    }
    std::vector<int> statuses = {results[0].status, results[1].status};
    std::sort(statuses.begin(), statuses.end());
    EXPECT_EQ(statuses, (std::vector<int>{0, 2})) << results[0].err << results[1].err;
    const ChildResult& refused = results[0].status == 2 ? results[0] : results[1];
    EXPECT_NE(refused.err.find("Upgrade уже запущен"), std::string::npos) << refused.err;
    for (const auto& name : tools::databaseNames(tools::Release::V8)) {
        if (name != "Sorvin") {
            EXPECT_EQ(stampOf(installation->database(name)), std::make_tuple(8, 0, 7)) << name;
        }
    }
    EXPECT_EQ(run_testing::rowCount(installation->database("Base"), "log_Upgrade", "uVersion = 'Base 8.0.0'"), 1);
}

TEST(HeadlessRunner, WorksUnderAFolderWithACyrillicName) {
    testing_support::TempDir folder;
    tools::InstallationSpec spec = run_testing::stampedSpec({8, 0, 0});
    spec.root = folder.path() + "Данные/";
    spec.templateCache = (std::filesystem::temp_directory_path() / "zuruzod-test-templates").string();
    const tools::InstallationLayout layout = tools::buildInstallation(spec);

    const ChildResult result = runHeadless(layout.machineConfig, layout.userConfig, folder.path());

    EXPECT_EQ(result.status, 0) << result.out << result.err;
    EXPECT_NE(result.out.find("Установлен Service Pack 00.07\n"), std::string::npos) << result.out << result.err;
}

TEST_F(HeadlessRunnerTest, AFailedRunIsRestoredOnlyWithTheOptionAndUntilThenNothingRuns) {
    build(run_testing::set712InVersion8Folder());
    // Without its unit table the Sorvin database cannot be read by 8.00.03, which fails.
    tools::runScript(installation->database("Sorvin"), 12, "DROP TABLE Stock_Unit;");

    const ChildResult failed = run();
    EXPECT_EQ(failed.status, 1) << failed.out << failed.err;
    EXPECT_NE(failed.err.find("upgrade-headless --restore"), std::string::npos) << failed.err;
    const std::optional<run::RestorePoint> point = run::readMarker();
    ASSERT_TRUE(point.has_value());
    EXPECT_NE(failed.out.find("Резервная копия баз данных: " + point->folder), std::string::npos) << failed.out;
    EXPECT_NE(eventLogOf(installation->layout()).find(point->folder), std::string::npos);
    ASSERT_EQ(point->files.size(), 9u);

    const ChildResult refused = run();
    EXPECT_EQ(refused.status, 2) << refused.out << refused.err;
    EXPECT_NE(refused.err.find("A previous run did not finish"), std::string::npos) << refused.err;
    EXPECT_EQ(stampOf(installation->database("Base")), std::make_tuple(8, 0, 2));

    const ChildResult restored = run("--restore");
    EXPECT_EQ(restored.status, 4) << restored.out << restored.err;
    EXPECT_NE(restored.out.find("Базы данных восстановлены из резервной копии " + point->folder), std::string::npos)
        << restored.out;
    for (const auto& [database, copy] : point->files) {
        std::string now, before;
        platform::readWholeFile(database, now);
        platform::readWholeFile(copy, before);
        EXPECT_TRUE(now == before) << database;
    }
    EXPECT_FALSE(run::readMarker().has_value());
    EXPECT_EQ(stampOf(installation->database("Base")), std::make_tuple(7, 12, 4));

    // Asked again, with nothing left to restore, it neither restores nor upgrades.
    const ChildResult again = run("--restore");
    EXPECT_EQ(again.status, 2) << again.out << again.err;
    EXPECT_NE(again.err.find("Nothing to restore"), std::string::npos) << again.err;
    EXPECT_EQ(again.out.find("Начало установки"), std::string::npos) << again.out;
    EXPECT_EQ(stampOf(installation->database("Base")), std::make_tuple(7, 12, 4));
}

TEST_F(HeadlessRunnerTest, SigtermStopsTheRunAtAStepBoundaryWithItsOwnStatus) {
    build(run_testing::set712InVersion8Folder());
    const auto& layout = installation->layout();
    const std::string out = layout.root + "headless.out";
    const std::string script =
        "XDG_CONFIG_DIRS=" + quoted(layout.machineConfig) + " XDG_CONFIG_HOME=" + quoted(layout.userConfig) +
        " XDG_RUNTIME_DIR=" + quoted(layout.machineConfig) + " " + quoted(UPGRADE_HEADLESS) + " >" + quoted(out) +
        " 2>&1 </dev/null & pid=$!; for i in $(seq 600); do grep -q 'Начало установки Service Pack 00.01' " +
        quoted(out) + " && break; sleep 0.05; done; kill -TERM $pid; wait $pid";
    const int raw = std::system(("sh -c " + quoted(script)).c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    std::string text;
    platform::readWholeFile(out, text);
    EXPECT_EQ(WEXITSTATUS(raw), 3) << text;
    EXPECT_NE(text.find("Установка прервана по запросу"), std::string::npos) << text;
    EXPECT_NE(eventLogOf(layout).find("прервана по запросу"), std::string::npos);
    // Stopped between two steps: every database opens and carries a stamp of the run.
    for (const auto& name : tools::databaseNames(tools::Release::V8)) {
        const auto stamp = stampOf(installation->database(name));
        EXPECT_TRUE(stamp == std::make_tuple(8, 0, 0) || stamp == std::make_tuple(8, 0, 1)) << name;
    }
    EXPECT_TRUE(run::readMarker().has_value());
}

// Firebird waits for good on attaching a database whose first pointer page is overwritten; the
// first SIGTERM cannot stop a run held up there, the second ends it at once, before any change.
TEST_F(HeadlessRunnerTest, ASecondSigtermEndsARunThatFirebirdHoldsUp) {
    build(run_testing::stampedSpec({8, 0, 6}));
    const auto& layout = installation->layout();
    const std::string pellix = installation->database("Pellix");
    run_testing::overwriteFirstPageOfType(pellix, run_testing::kPointerPage, 24, 200);
    std::string damaged;
    ASSERT_TRUE(platform::readWholeFile(pellix, damaged));
    const std::string out = layout.root + "headless.out";
    const std::string script =
        "XDG_CONFIG_DIRS=" + quoted(layout.machineConfig) + " XDG_CONFIG_HOME=" + quoted(layout.userConfig) +
        " XDG_RUNTIME_DIR=" + quoted(layout.machineConfig) + " " + quoted(UPGRADE_HEADLESS) + " >" + quoted(out) +
        " 2>&1 </dev/null & pid=$!; sleep 2; kill -TERM $pid; sleep 1; kill -TERM $pid;"
        " for i in $(seq 200); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done; kill -KILL $pid 2>/dev/null;"
        " wait $pid";
    const int raw = std::system(("sh -c " + quoted(script)).c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    std::string text;
    platform::readWholeFile(out, text);
    EXPECT_EQ(WEXITSTATUS(raw), 3) << text;
    EXPECT_NE(text.find("stopped at once"), std::string::npos) << text;
    // Attaching Pellix would hang here too: its bytes tell that nothing wrote to it.
    for (const auto& name : tools::databaseNames(tools::Release::V8)) {
        if (name != "Pellix") {
            EXPECT_EQ(stampOf(installation->database(name)), std::make_tuple(8, 0, 6)) << name;
        }
    }
    std::string after;
    ASSERT_TRUE(platform::readWholeFile(pellix, after));
    EXPECT_TRUE(after == damaged) << "the damaged database was written to";
    EXPECT_FALSE(run::readMarker().has_value());
}

// A stop asked for before the first step: it comes during the copy of a 7.12 set, before the run.
TEST_F(HeadlessRunnerTest, SigtermDuringTheCopyOfA712SetStopsWithItsOwnStatusAndTheCopyIsOfferedAgain) {
    tools::InstallationSpec spec = run_testing::stampedSpec({7, 12, 4});
    spec.release = tools::Release::V712;
    build(spec);
    const auto& layout = installation->layout();
    const std::string out = layout.root + "headless.out";
    const std::string command = "XDG_CONFIG_DIRS=" + quoted(layout.machineConfig) +
                                " XDG_CONFIG_HOME=" + quoted(layout.userConfig) +
                                " XDG_RUNTIME_DIR=" + quoted(layout.machineConfig) + " exec " +
                                quoted(UPGRADE_HEADLESS) + " >" + quoted(out) + " 2>&1 </dev/null";
    // The signal waits, blocked, in the new process until the runner takes it: no race with its start.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        sigset_t term;
        sigemptyset(&term);
        sigaddset(&term, SIGTERM);
        ::sigprocmask(SIG_BLOCK, &term, nullptr);
        ::kill(::getpid(), SIGTERM);
        ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int raw = 0;
    ASSERT_EQ(::waitpid(child, &raw, 0), child);
    std::string text;
    platform::readWholeFile(out, text);
    ASSERT_TRUE(WIFEXITED(raw)) << text;
    EXPECT_EQ(WEXITSTATUS(raw), 3) << text;
    EXPECT_NE(text.find("Копирование файлов версии 7.12 прервано по запросу"), std::string::npos) << text;
    EXPECT_NE(eventLogOf(layout).find("копирование прервано по запросу"), std::string::npos);
    EXPECT_TRUE(platform::fileExists(environment::copyMarkerPath()));
    // The 7.12 files are only read.
    EXPECT_EQ(stampOf(installation->database("Base")), std::make_tuple(7, 12, 4));

    // The next start takes the version-8 set as incomplete and copies the 7.12 set again.
    environment::Files712 = {};
    ASSERT_TRUE(environment::control_UpgradeFiles(installation->preFlightEnvironment()));
    EXPECT_FALSE(environment::Files712.file8);
    EXPECT_TRUE(environment::Files712.file7);
}

// An output that no one reads (a pager left at its first screen) holds up every write of the run,
// the stop notices too: the second SIGTERM still ends the process at once.
TEST_F(HeadlessRunnerTest, ASecondSigtermEndsARunWhoseOutputNoOneReads) {
    build(run_testing::stampedSpec({8, 0, 6}));
    const auto& layout = installation->layout();
    int output[2];
    ASSERT_EQ(::pipe(output), 0);
    ::fcntl(output[1], F_SETFL, O_NONBLOCK);
    while (::write(output[1], "full ", 5) > 0) {
    }
    ::fcntl(output[1], F_SETFL, 0);
    const std::string command =
        "XDG_CONFIG_DIRS=" + quoted(layout.machineConfig) + " XDG_CONFIG_HOME=" + quoted(layout.userConfig) +
        " XDG_RUNTIME_DIR=" + quoted(layout.machineConfig) + " exec " + quoted(UPGRADE_HEADLESS) + " </dev/null";
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::dup2(output[1], STDOUT_FILENO);
        ::dup2(output[1], STDERR_FILENO);
        ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(output[1]);
    std::this_thread::sleep_for(std::chrono::seconds(1));
    ::kill(child, SIGTERM);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    ::kill(child, SIGTERM);
    int raw = 0;
    pid_t ended = 0;
    for (int i = 0; i < 100 && ended == 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        ended = ::waitpid(child, &raw, WNOHANG);
    }
    if (ended == 0) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &raw, 0);
    }
    ::close(output[0]);
    ASSERT_EQ(ended, child) << "the run went on after the second SIGTERM";
    ASSERT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), 3);
}

} // namespace
