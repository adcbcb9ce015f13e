#include "RunSupport.h"

#include "engine/DatabaseSlots.h"
#include "engine/TableFormats.h"
#include "environment/DatabasePassword.h"
#include "environment/KvSetting.h"
#include "packs/PackWrappers.h"
#include "platform/FileSystem.h"
#include "run/FormatCheck.h"
#include "run/InstallationRun.h"
#include "run/SetValidation.h"
#include "run/StandardPacks.h"
#include "run/UpgradeRun.h"
#include "support/ScriptedUserInterface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

using environment::kvSetting;
using run_testing::stampOf;
using run_testing::withoutTimes;

namespace {

struct MostAltered {
    std::string database;
    std::string table;
    int alterations = 0;
};

// The table of the version-8 set that the packs 8.00.01 to 8.00.07 alter most often.
MostAltered mostAlteredTable() {
    std::map<std::pair<engine::Slot, std::string>, int> totals;
    for (const auto& pack : packs::allPacks()) {
        for (const auto& [slot, tables] : pack.reformats) {
            for (const auto& [table, count] : tables) {
                totals[{slot, table}] += count;
            }
        }
    }
    MostAltered most;
    for (const auto& [where, count] : totals) {
        if (count > most.alterations) {
            most = {engine::slotInfo(where.first).name, where.second, count};
        }
    }
    return most;
}

std::string eventLog() {
    std::string text;
    platform::readWholeFile(kvSetting.KVFile.FileRegister, text);
    return text;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line + "\n";
    }
    return text;
}

struct FormatCase {
    const char* name;
    int formatsBelowLimit; // the table's formats are the limit less this many
    bool stops;
};

void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << c.name;
}

class FormatLimit : public ::testing::TestWithParam<FormatCase> {};

std::string caseName(const ::testing::TestParamInfo<FormatCase>& param) {
    return param.param.stops ? "Stops" : "Runs";
}

// Firebird refuses the ALTER that would give a table its 256th format, in the middle of a
// pack; the run checks every table it will alter before it changes anything.
TEST_P(FormatLimit, ATableTheRunWouldTakePastTheLimitStopsItBeforeAnyChange) {
    const FormatCase& c = GetParam();
    const MostAltered most = mostAlteredTable();
    ASSERT_GT(most.alterations, 1);
    const int formats = engine::kMaxTableFormats - most.alterations + c.formatsBelowLimit;
    tools::InstallationSpec spec = run_testing::stampedSpec({8, 0, 0});
    spec.formats[most.database + "." + most.table] = formats;
    testing_support::ScriptedUserInterface ui;
    testing_support::TestInstallation installation(spec);
    run_testing::pointAtInstallation(installation);
    const std::string database = installation.database(most.database);
    ASSERT_EQ(engine::readTableFormats(database).at(most.table), formats);

    const auto result = run::runInstallation(8, {}, run::standardPacks(), {});

    const std::string log = joined(withoutTimes(ui.runLog));
    if (c.stops) {
        EXPECT_EQ(result, run::InstallationResult::PacksFailed);
        ASSERT_EQ(ui.messages.size(), 1u) << log;
        // The remedy restores as the installation's user, who must own the database for the next run.
        const std::string asOwner = "gbak -rep -user " + environment::databaseUser(environment::NumberFirm);
        for (const auto& named : {database, most.table, asOwner}) {
            EXPECT_NE(ui.messages[0].find(named), std::string::npos) << named << "\n" << ui.messages[0];
            EXPECT_NE(log.find(named), std::string::npos) << named << "\n" << log;
        }
        EXPECT_NE(eventLog().find(database + ": таблица " + most.table), std::string::npos) << eventLog();
        EXPECT_EQ(log.find("Начало установки"), std::string::npos) << log;
        EXPECT_FALSE(run::readMarker().has_value());
        for (const auto& name : tools::databaseNames(tools::Release::V8)) {
            EXPECT_EQ(stampOf(installation.database(name)), std::make_tuple(8, 0, 0)) << name;
        }
        EXPECT_EQ(engine::readTableFormats(database).at(most.table), formats);
    } else {
        EXPECT_NE(log.find("Установлен Service Pack 00.07"), std::string::npos) << log;
        EXPECT_EQ(log.find("Ничего не изменено"), std::string::npos) << log;
        EXPECT_EQ(stampOf(database), std::make_tuple(8, 0, 7));
        // An ALTER that finds its work done makes no format, so the run may stop short of the limit.
        const int after = engine::readTableFormats(database).at(most.table);
        EXPECT_GT(after, formats);
        EXPECT_LE(after, engine::kMaxTableFormats);
        // Every database of the set was validated after the packs.
        for (const auto& name : tools::databaseNames(tools::Release::V8)) {
            if (platform::fileExists(installation.database(name))) {
                EXPECT_NE(log.find("Проверка базы данных " + installation.database(name) + ": ошибок нет"),
                          std::string::npos)
                    << name << "\n"
                    << log;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(NothingLostTest, FormatLimit,
                         ::testing::Values(FormatCase{"one format past the limit", 1, true},
                                           FormatCase{"exactly at the limit after the run", 0, false}),
                         caseName);

TEST(NothingLostTest, TheHeadroomOfEachTableFollowsTheStampOfItsDatabase) {
    const MostAltered most = mostAlteredTable();
    testing_support::ScriptedUserInterface ui;
    testing_support::TestInstallation installation(run_testing::stampedSpec({8, 0, 7}, {{most.database, {8, 0, 0}}}));
    run_testing::pointAtInstallation(installation);

    const auto headroom = run::tableHeadroom();

    // Databases at 8.0.7 have no pack ahead of them.
    const auto formats = engine::readTableFormats(installation.database(most.database));
    for (const auto& table : headroom) {
        EXPECT_EQ(table.database, installation.database(most.database));
        EXPECT_EQ(table.formats, formats.at(table.table)) << table.table;
    }
    const auto found = std::find_if(headroom.begin(), headroom.end(),
                                    [&](const run::TableHeadroom& table) { return table.table == most.table; });
    ASSERT_NE(found, headroom.end());
    EXPECT_EQ(found->alterations, most.alterations);
    EXPECT_FALSE(found->exceedsLimit());
    EXPECT_TRUE(run::packAhead(0, 712, 12, 4));
    EXPECT_FALSE(run::packAhead(3, 8, 0, 3));
    EXPECT_TRUE(run::packAhead(4, 8, 0, 3));
}

// Overwrites the records of a data page of a user table: the page stays where it is, its rows are damaged.
void damageADataPage(const std::string& path) {
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    ASSERT_TRUE(file.good()) << path;
    char header[18] = {};
    file.read(header, sizeof header);
    const size_t pageSize = static_cast<unsigned char>(header[16]) | static_cast<unsigned char>(header[17]) << 8;
    ASSERT_GE(pageSize, 4096u);
    std::vector<char> page(pageSize);
    for (size_t number = 1; file.seekg(static_cast<std::streamoff>(number * pageSize)) &&
                            file.read(page.data(), static_cast<std::streamsize>(pageSize));
         ++number) {
        const auto relation = static_cast<std::uint16_t>(static_cast<unsigned char>(page[20]) |
                                                         static_cast<unsigned char>(page[21]) << 8);
        const auto records = static_cast<std::uint16_t>(static_cast<unsigned char>(page[22]) |
                                                        static_cast<unsigned char>(page[23]) << 8);
        if (page[0] == 5 && relation >= 128 && records > 0) {
            file.clear();
            file.seekp(static_cast<std::streamoff>(number * pageSize + 24));
            const std::string noise(200, '\xff');
            file.write(noise.data(), static_cast<std::streamsize>(noise.size()));
            return;
        }
    }
    FAIL() << "no data page of a user table with rows in " << path;
}

// A run's backup as the validation sees it, holding the copy of one database.
run::RestorePoint backupHolding(const testing_support::TestInstallation& installation, const std::string& name) {
    const std::string folder = installation.layout().dataRoot + "zuruzod-backup-20261211-010000/";
    return {folder, {{installation.database(name), folder + name + ".fdb"}}};
}

// A whole run ends with every database reported valid (FormatLimit's run shows it); here a
// database damaged after the run is named with its copy in the backup.
TEST(NothingLostTest, ValidationFindsTheDatabasesValidAndNamesADamagedOneWithItsBackup) {
    testing_support::ScriptedUserInterface ui;
    testing_support::TestInstallation installation(run_testing::stampedSpec({8, 0, 7}));
    run_testing::pointAtInstallation(installation);

    const auto clean = run::validateSet();
    ASSERT_EQ(clean.size(), installation.layout().databases.size());
    for (const auto& validation : clean) {
        EXPECT_EQ(validation.outcome, engine::Validation::Outcome::Valid) << validation.database << "\n"
                                                                          << joined(validation.findings);
    }

    const std::string orders = installation.database("Orders");
    const run::RestorePoint backup = backupHolding(installation, "Orders");
    damageADataPage(orders);

    EXPECT_EQ(run::control_Validation(backup), run::SetVerdict::Damaged);

    const std::string log = joined(withoutTimes(ui.runLog));
    EXPECT_NE(log.find("Проверка базы данных " + orders + ": найдены ошибки"), std::string::npos) << log;
    EXPECT_NE(log.find("Проверка базы данных " + installation.database("Base") + ": ошибок нет"), std::string::npos)
        << log;
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find(orders), std::string::npos) << ui.messages[0];
    EXPECT_NE(ui.messages[0].find(backup.files[0].second), std::string::npos) << ui.messages[0];
    EXPECT_NE(eventLog().find(orders + ": проверка: "), std::string::npos) << eventLog();
    EXPECT_NE(eventLog().find(backup.files[0].second), std::string::npos) << eventLog();

    // A file cut short is refused before any report: damaged too, not a check that could not run.
    const std::string pellix = installation.database("Pellix");
    std::string whole;
    ASSERT_TRUE(platform::readWholeFile(pellix, whole));
    platform::replaceFileContents(pellix, whole.substr(0, whole.size() / 3));
    const engine::Validation cut = engine::validateDatabase(pellix);
    EXPECT_EQ(cut.outcome, engine::Validation::Outcome::Damaged) << joined(cut.findings);

    // The header of its page of transactions overwritten reads as encrypted; these databases never
    // are, so that is damage too.
    const std::string base = installation.database("Base");
    run_testing::overwriteFirstPageOfType(base, run_testing::kTransactionPage, 0, 16);
    const engine::Validation header = engine::validateDatabase(base);
    EXPECT_EQ(header.outcome, engine::Validation::Outcome::Damaged) << joined(header.findings);
}

// Keeps when each run log line came.
class TimedRunLog : public testing_support::ScriptedUserInterface {
public:
    void runLogLine(const std::string& line) override {
        ScriptedUserInterface::runLogLine(line);
        came.push_back(std::chrono::steady_clock::now());
    }
    std::vector<std::chrono::steady_clock::time_point> came;
};

// A validation that hangs is ended at its time; the database is named with its backup, as its
// check never finished, and the others are still checked.
TEST(NothingLostTest, AValidationThatHangsIsEndedAtItsTimeAndTheDatabaseNamedWithItsBackup) {
    TimedRunLog ui;
    testing_support::TestInstallation installation(run_testing::stampedSpec({8, 0, 7}));
    run_testing::pointAtInstallation(installation);
    const std::string pellix = installation.database("Pellix");
    const run::RestorePoint backup = backupHolding(installation, "Pellix");
    std::string sound;
    ASSERT_TRUE(platform::readWholeFile(pellix, sound));
    // Firebird's validation waits for good on a pointer page overwritten past its header.
    run_testing::overwriteFirstPageOfType(pellix, run_testing::kPointerPage, 24, 200);
    ASSERT_EQ(::setenv("ZURUZOD_VALIDATION_SECONDS", "3", 1), 0);

    const auto started = std::chrono::steady_clock::now();
    const run::SetVerdict verdict = run::control_Validation(backup);
    const auto took = std::chrono::steady_clock::now() - started;
    ::unsetenv("ZURUZOD_VALIDATION_SECONDS");

    EXPECT_EQ(verdict, run::SetVerdict::SomeNotChecked);
    EXPECT_LT(took, std::chrono::seconds(30));
    const std::string log = joined(withoutTimes(ui.runLog));
    EXPECT_NE(log.find("Проверка базы данных " + pellix + ": проверка не закончена"), std::string::npos) << log;
    EXPECT_NE(log.find("проверка не закончилась за 3 с"), std::string::npos) << log;
    EXPECT_NE(log.find("Проверка базы данных " + installation.database("System") + ": ошибок нет"), std::string::npos)
        << log;
    // A database checked before the hang is named before it, not when every check has ended.
    const auto lineOf = [&](const std::string& database) {
        const std::string start = "Проверка базы данных " + database + ": ";
        const auto line = std::find_if(ui.runLog.begin(), ui.runLog.end(),
                                       [&](const std::string& l) { return l.find(start) != std::string::npos; });
        return static_cast<size_t>(line - ui.runLog.begin());
    };
    const size_t base = lineOf(installation.database("Base"));
    const size_t hung = lineOf(pellix);
    ASSERT_LT(base, hung) << log;
    ASSERT_LT(hung, ui.came.size()) << log;
    EXPECT_GE(ui.came[hung] - ui.came[base], std::chrono::seconds(2)) << log;
    ASSERT_EQ(ui.messages.size(), 1u) << joined(ui.messages) << log;
    EXPECT_NE(ui.messages[0].find(pellix), std::string::npos) << ui.messages[0];
    EXPECT_NE(ui.messages[0].find(backup.files[0].second), std::string::npos) << ui.messages[0];
    const std::string events = eventLog();
    EXPECT_NE(events.find(pellix + ": проверка не закончена: "), std::string::npos) << events;
    EXPECT_NE(events.find(backup.files[0].second), std::string::npos) << events;

    // The validator ended holds nothing: the file put back is checked at once.
    platform::replaceFileContents(pellix, sound);
    EXPECT_EQ(engine::validateDatabase(pellix).outcome, engine::Validation::Outcome::Valid);
}

// A validator whose program died before it could ask for the death signal (nobody reads its
// answer) ends at once: on a database where the validation hangs it would hold the file for good.
TEST(NothingLostTest, AValidatorWhoseProgramIsGoneEndsAtOnce) {
    testing_support::TestInstallation installation(run_testing::stampedSpec({8, 0, 7}));
    const std::string pellix = installation.database("Pellix");
    run_testing::overwriteFirstPageOfType(pellix, run_testing::kPointerPage, 24, 200);
    int answer[2];
    ASSERT_EQ(::pipe(answer), 0);
    ::close(answer[0]);
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, answer[1], STDOUT_FILENO);
    ::posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    const std::string validator =
        (std::filesystem::path(platform::executablePath()).parent_path() / "zuruzod-validate").string();
    const char* arguments[] = {validator.c_str(), pellix.c_str(), nullptr};
    pid_t child = 0;
    const int spawned =
        ::posix_spawn(&child, validator.c_str(), &actions, nullptr, const_cast<char* const*>(arguments), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(answer[1]);
    ASSERT_EQ(spawned, 0);

    int status = 0;
    pid_t ended = 0;
    for (int waited = 0; waited < 200 && ended == 0; ++waited) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ended = ::waitpid(child, &status, WNOHANG);
    }
    if (ended != child) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
    }
    ASSERT_EQ(ended, child) << "the validator ran on";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
}

// isql of the Firebird utilities attaches embedded and holds the file until its input ends, as
// another program of the suite would; the answer to its first statement says it is in.
class HeldByIsql {
public:
    HeldByIsql(const std::string& database, const std::string& output) {
        m_isql = popen(("isql-fb -q '" + database + "' >'" + output + "' 2>&1").c_str(), "w");
        if (m_isql == nullptr) {
            return;
        }
        std::fputs("SELECT 'HELD' || 'BY ISQL' FROM RDB$DATABASE;\n", m_isql);
        std::fflush(m_isql);
        std::string said;
        for (int attempt = 0; attempt < 200 && said.find("HELDBY ISQL") == std::string::npos; ++attempt) {
            usleep(50000);
            platform::readWholeFile(output, said);
        }
        m_held = said.find("HELDBY ISQL") != std::string::npos;
    }
    ~HeldByIsql() {
        if (m_isql != nullptr) {
            std::fputs("QUIT;\n", m_isql);
            pclose(m_isql);
        }
    }
    HeldByIsql(const HeldByIsql&) = delete;
    HeldByIsql& operator=(const HeldByIsql&) = delete;

    bool held() const { return m_held; }

private:
    FILE* m_isql = nullptr;
    bool m_held = false;
};

// A validation that cannot run says nothing about the database: it is named with the reason, as
// not checked, and neither called damaged nor made the run's failure.
TEST(NothingLostTest, ADatabaseTheValidationCannotReachIsNamedAsNotCheckedNotAsDamaged) {
    testing_support::ScriptedUserInterface ui;
    testing_support::TestInstallation installation(run_testing::stampedSpec({8, 0, 7}));
    run_testing::pointAtInstallation(installation);
    const std::string pellix = installation.database("Pellix");
    const run::RestorePoint backup = backupHolding(installation, "Pellix");

    run::SetVerdict verdict = run::SetVerdict::AllValid;
    {
        // Neither the embedded engine nor a server can open a file another process holds.
        HeldByIsql holder(pellix, installation.layout().root + "isql.out");
        ASSERT_TRUE(holder.held());
        verdict = run::control_Validation(backup);
    }

    EXPECT_EQ(verdict, run::SetVerdict::SomeNotChecked);
    const std::string log = joined(withoutTimes(ui.runLog));
    EXPECT_NE(log.find("Проверка базы данных " + pellix + ": не удалось проверить"), std::string::npos) << log;
    EXPECT_EQ(log.find("найдены ошибки"), std::string::npos) << log;
    EXPECT_NE(log.find("Проверка базы данных " + installation.database("Base") + ": ошибок нет"), std::string::npos)
        << log;
    EXPECT_TRUE(ui.messages.empty()) << ui.messages[0];
    const std::string events = eventLog();
    EXPECT_NE(events.find(pellix + ": не удалось проверить: "), std::string::npos) << events;
    EXPECT_EQ(events.find(backup.files[0].second), std::string::npos) << events;
    EXPECT_EQ(events.find("проверка: "), std::string::npos) << events;

    // Once the file is free again the same database is found valid.
    EXPECT_EQ(engine::validateDatabase(pellix).outcome, engine::Validation::Outcome::Valid);
}

} // namespace
