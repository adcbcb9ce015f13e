#include "HeadlessCommand.h"
#include "RunSupport.h"

#include "engine/DatabaseSlots.h"
#include "engine/TableFormats.h"
#include "environment/PreFlight.h"
#include "packs/PackWrappers.h"
#include "run/StateDetection.h"
#include "support/ChainInstallation.h"
#include "support/ScriptedUserInterface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using run_testing::CommandResult;

// Every file under the folder with its bytes.
std::map<std::string, std::string> filesUnder(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            platform::readWholeFile(entry.path().string(), files[entry.path().string()]);
        }
    }
    return files;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The lines of a section of the status text: those after its heading, without their indent, up to an empty line.
std::vector<std::string> section(const std::string& text, const std::string& heading) {
    std::vector<std::string> result;
    bool inside = false;
    for (const auto& line : linesOf(text)) {
        if (line == heading) {
            inside = true;
        } else if (inside && line.rfind("  ", 0) != 0) {
            break;
        } else if (inside) {
            result.push_back(line.substr(2));
        }
    }
    return result;
}

// The verdict of the wizard's own detection on the same installation, from the line "База: " on.
std::vector<std::string> wizardVerdict(const testing_support::TestInstallation& installation) {
    testing_support::ScriptedUserInterface ui;
    ui.answers = {false};
    environment::Files712 = {};
    environment::control_UpgradeFiles(installation.preFlightEnvironment());
    environment::TProgramInfo info;
    const run::DetectedState state = run::detectState(info);
    auto first = std::find_if(state.lines.begin(), state.lines.end(),
                              [](const std::string& line) { return line.rfind("База: ", 0) == 0; });
    return {first, state.lines.end()};
}

tools::InstallationSpec release712(tools::Stamp stamp) {
    tools::InstallationSpec spec = run_testing::stampedSpec(stamp);
    spec.release = tools::Release::V712;
    return spec;
}

void truncateTo(const std::string& path, size_t keep) {
    std::string bytes;
    platform::readWholeFile(path, bytes);
    platform::replaceFileContents(path, bytes.substr(0, keep));
}

struct Case {
    const char* name;
    tools::InstallationSpec spec;
    int chainThrough; // above 0: an installation through the packs up to 8.00.0N instead of one laid out from `spec`
    std::function<void(const testing_support::TestInstallation&)> change;
    int status;
    std::vector<std::string> packs;
    std::vector<std::string> shown; // texts the status prints
};

const std::vector<std::string> kAllPacks = {"8.00.01  143 steps", "8.00.02  238 steps", "8.00.03  71 steps",
                                            "8.00.04  225 steps", "8.00.05  27 steps",  "8.00.06  58 steps",
                                            "8.00.07  31 steps"};

std::vector<std::string> withConversion(std::vector<std::string> packs) {
    packs.insert(packs.begin(), "8.00.00  21 steps");
    return packs;
}

// The table that the packs alter most, as "Database.TABLE".
std::string tableAlteredAhead() {
    std::map<std::pair<engine::Slot, std::string>, int> totals;
    for (const auto& pack : packs::allPacks()) {
        for (const auto& [slot, tables] : pack.reformats) {
            for (const auto& [table, count] : tables) {
                totals[{slot, table}] += count;
            }
        }
    }
    const auto most = std::max_element(totals.begin(), totals.end(),
                                       [](const auto& a, const auto& b) { return a.second < b.second; });
    return std::string(engine::slotInfo(most->first.first).name) + "." + most->first.second;
}

tools::InstallationSpec atTheFormatLimit(const std::string& table) {
    tools::InstallationSpec spec = run_testing::stampedSpec({8, 0, 0});
    spec.formats[table] = engine::kMaxTableFormats;
    return spec;
}

} // namespace

// Each installation is listed, judged as the wizard judges it and planned as a run would
// go; the exit code says whether a run is possible, and no file of the installation changes.
TEST(StatusCommand, ListsJudgesAndPlansWithoutChangingAnything) {
    const auto nothing = [](const testing_support::TestInstallation&) {};
    const std::string altered = tableAlteredAhead();
    const std::string alteredTable = altered.substr(altered.find('.') + 1);
    const Case cases[] = {
        {"7.12 installation",
         release712({7, 12, 4}),
         0,
         nothing,
         0,
         withConversion(kAllPacks),
         {"Base (7.12)", "stamp 7.12.4", "the version-8 set is incomplete; a run copies the 7.12 files first"}},
        {"8.0.0 everywhere",
         run_testing::stampedSpec({8, 0, 0}),
         0,
         nothing,
         0,
         kAllPacks,
         {"Base  ", "opens, stamp 8.0.0", "A run is possible."}},
        {"mixed stamps",
         run_testing::stampedSpec({8, 0, 5}, {{"Config", {8, 0, 2}}}),
         0,
         nothing,
         0,
         {kAllPacks.begin() + 2, kAllPacks.end()},
         {"opens, stamp 8.0.2", "opens, stamp 8.0.5"}},
        {"a newer update",
         run_testing::stampedSpec({8, 1, 0}),
         0,
         nothing,
         1,
         {},
         {"У Вас установлено более новое обновление", "No run is possible."}},
        {"Base missing",
         run_testing::stampedSpec({8, 0, 0}, {}, {"Base"}),
         0,
         nothing,
         1,
         kAllPacks,
         {"Base.fdb\n    missing", "FAILED  the version-8 set is incomplete"}},
        {"Base damaged",
         run_testing::stampedSpec({8, 0, 0}),
         0,
         [](const testing_support::TestInstallation& installation) { truncateTo(installation.database("Base"), 8192); },
         1,
         kAllPacks,
         {"Base.fdb\n    does not open: ", "FAILED  cannot be opened: "}},
        {"through 8.00.02",
         {},
         2,
         nothing,
         0,
         {kAllPacks.begin() + 2, kAllPacks.end()},
         {"journal: Base 8.0.1", "journal: Base 8.0.2"}},
        {"a table at the limit of record formats",
         atTheFormatLimit(altered),
         0,
         nothing,
         1,
         kAllPacks,
         {"FAILED  past Firebird's limit of 255 record formats: ", ".fdb: " + alteredTable + " at 255 formats"}},
        {"an unfinished run",
         run_testing::stampedSpec({8, 0, 3}),
         0,
         [](const testing_support::TestInstallation& installation) {
             platform::replaceFileContents(installation.layout().dataRoot + "zuruzod-upgrade-run.txt",
                                           installation.layout().dataRoot + "zuruzod-backup-20260101-000000/\n");
         },
         1,
         {kAllPacks.begin() + 3, kAllPacks.end()},
         {"FAILED  a previous run did not finish", "upgrade-headless run --restore"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testing_support::TempDir output;
        std::optional<testing_support::ChainInstallation> chain;
        std::optional<testing_support::TestInstallation> plain;
        const testing_support::TestInstallation& installation =
            c.chainThrough > 0 ? chain.emplace(c.chainThrough).installation() : plain.emplace(c.spec);
        c.change(installation);
        const auto before = filesUnder(installation.layout().root);

        const CommandResult result = run_testing::runHeadlessCommand(installation.layout(), "status", output.path());
        const CommandResult json =
            run_testing::runHeadlessCommand(installation.layout(), "status --json", output.path());

        EXPECT_EQ(result.status, c.status) << result.out << result.err;
        EXPECT_EQ(json.status, c.status) << json.out << json.err;
        EXPECT_TRUE(filesUnder(installation.layout().root) == before) << "a file of the installation changed";
        EXPECT_EQ(section(result.out, "Packs a run would install:"), c.packs) << result.out;
        for (const auto& text : c.shown) {
            EXPECT_NE(result.out.find(text), std::string::npos) << text << "\n" << result.out;
        }
        EXPECT_EQ(section(result.out, "The program's verdict:"), wizardVerdict(installation)) << result.out;
        EXPECT_NE(json.out.find(std::string("\"runPossible\":") + (c.status == 0 ? "true" : "false")),
                  std::string::npos)
            << json.out;
        EXPECT_NE(json.out.find("{\"name\":\"Base\",\"path\":"), std::string::npos) << json.out;
    }
}

// Status reads private copies of the databases: when none can be made, it says so and where,
// instead of calling the databases unopenable and the installation not ready.
TEST(StatusCommand, ATemporaryFolderWithoutRoomForItsCopiesIsNamedAndExitsWith2) {
    const testing_support::TestInstallation installation(run_testing::stampedSpec({8, 0, 5}));
    testing_support::TempDir output;
    const std::string missing = output.path() + "no-such-folder";

    const CommandResult result =
        run_testing::runHeadlessCommand(installation.layout(), "status", output.path(), "TMPDIR=" + missing);

    EXPECT_EQ(result.status, 2) << result.out << result.err;
    EXPECT_NE(result.err.find("set TMPDIR to a folder with room for it"), std::string::npos) << result.err;
    EXPECT_EQ(result.out.find("does not open"), std::string::npos) << result.out;
}

TEST(StatusCommand, AnInstallationThatCannotBeReadExitsWith2) {
    testing_support::TempDir folder;
    tools::InstallationLayout layout;
    layout.root = folder.path();
    layout.machineConfig = folder.path() + "machine/";
    layout.userConfig = folder.path() + "user/";
    ASSERT_TRUE(platform::createDirectories(layout.machineConfig + "Vesk/"));
    ASSERT_TRUE(platform::createDirectories(layout.userConfig));
    platform::replaceFileContents(layout.machineConfig + "Vesk/registry.ini", "");

    const CommandResult result = run_testing::runHeadlessCommand(layout, "status", folder.path());
    const CommandResult json = run_testing::runHeadlessCommand(layout, "status --json", folder.path());

    EXPECT_EQ(result.status, 2) << result.out << result.err;
    EXPECT_NE(result.err.find("SOFTWARE\\Vesk\\Калвер\\8.00"), std::string::npos) << result.err;
    EXPECT_TRUE(result.out.empty()) << result.out;
    EXPECT_EQ(json.status, 2);
    EXPECT_EQ(json.out.rfind("{\"readable\":false,", 0), 0u) << json.out;
}
