#include "FolderInstallation.h"

#include "environment/AliasFile.h"
#include "environment/DataBaseFiles.h"
#include "environment/KvSetting.h"
#include "environment/PreFlight.h"
#include "environment/RegistryInstall.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "support/ScriptedUserInterface.h"
#include "support/TestInstallation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <regex>
#include <set>
#include <unistd.h>

namespace {

using environment::Files712;
using environment::kvSetting;
using environment::TFiles712;
using environment_tests::contentsOf;
using environment_tests::FolderInstallation;
using environment_tests::kInstallSection;
using tools::Release;

const std::string kAdminNeeded =
    "Необходимо запустить Upgrade от имени Администратора\rЗакройте программу и запустите заново";
const std::string kInstall700Section = "[SOFTWARE\\WOW6432Node\\Vesk\\Калвер\\7.00]\n";
const std::string kTrellan712Key = "SOFTWARE\\WOW6432Node\\Vesk\\trellan\\";
const std::string kTrellan712Section = "[SOFTWARE\\WOW6432Node\\Vesk\\trellan]\n";

tools::InstallationSpec specOf(Release release, std::set<std::string> omitted = {}, bool keys700 = false) {
    tools::InstallationSpec spec;
    spec.release = release;
    spec.omit = std::move(omitted);
    spec.keys700 = keys700;
    return spec;
}

// The pre-flight's entries in the event log (470 to 478), in order.
std::vector<int> preFlightCodes() {
    std::string text;
    platform::readWholeFile(kvSetting.KVFile.FileRegister, text);
    static const std::regex entry(R"(: \*(\d{3}) )");
    std::vector<int> codes;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), entry); it != std::sregex_iterator(); ++it) {
        const int code = std::stoi((*it)[1].str());
        if (code >= 470 && code < 480) {
            codes.push_back(code);
        }
    }
    return codes;
}

class PreFlightTest : public ::testing::Test {
protected:
    void SetUp() override {
        Files712 = {};
        // The machine's own Firebird must not answer for the test's installation.
        machine.fixedAliasFile712 = scratch.path() + "fixed/aliases.conf";
        machine.admin = [this] {
            ++adminAsked;
            return admin;
        };
    }
    void TearDown() override { Files712 = {}; }

    testing_support::TempDir scratch;
    testing_support::ScriptedUserInterface ui;
    environment::PreFlightEnvironment machine;
    bool admin = true;
    int adminAsked = 0;
};

// ---------------------------------------------------------------------------
// Installations made by the builder, with their databases.

class PreFlightInstallationTest : public PreFlightTest {
protected:
    const tools::InstallationLayout& build(tools::InstallationSpec spec) {
        // The old installation lets go of the environment before the new one takes it.
        installation.reset();
        installation = std::make_unique<testing_support::TestInstallation>(std::move(spec));
        Files712 = {};
        ui.messages.clear();
        return installation->layout();
    }
    const tools::InstallationLayout& layout() const { return installation->layout(); }
    std::string aliasFile() const { return layout().firebirdDir + "aliases.conf"; }
    std::string path712(const std::string& name) const { return tools::databasePath(layout(), Release::V712, name); }
    std::string orders8() const { return layout().kalver800 + "OrdersServer.fdb"; }

    std::unique_ptr<testing_support::TestInstallation> installation;
};

TEST_F(PreFlightInstallationTest, VersionEightSetNeedsBaseSystemOrdersAndPrice) {
    struct Case {
        std::string omitted; // empty: none
        bool complete;
    };
    const Case cases[] = {{"", true},      {"Config", true},  {"Sorvin", true}, {"Price", false},
                          {"Base", false}, {"System", false}, {"Orders", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE("without " + c.omitted);
        build(specOf(Release::V8, c.omitted.empty() ? std::set<std::string>{} : std::set{c.omitted}, true));

        const bool result = environment::control_UpgradeFiles(machine);
        EXPECT_EQ(Files712.file8, c.complete);
        EXPECT_FALSE(Files712.file7);
        EXPECT_TRUE(ui.messages.empty());
        // The alias of the version-8 server database is read whichever way it went.
        EXPECT_EQ(kvSetting.KVFile.FileOrdersServer, tools::databasePath(layout(), Release::V8, "OrdersServer"));
        if (c.complete) {
            EXPECT_TRUE(result);
            EXPECT_EQ(preFlightCodes(), std::vector<int>{});
            EXPECT_EQ(Files712.PFVeskKalver7, "");
        } else {
            // The 7.00 installation was looked for; its data root holds no 7.12 set.
            EXPECT_FALSE(result);
            EXPECT_EQ(preFlightCodes(), (std::vector<int>{470, 476}));
            EXPECT_EQ(Files712.PFVeskKalver7, layout().program700Dir);
            EXPECT_EQ(Files712.dirKalver, layout().kalver700);
        }
    }
}

TEST_F(PreFlightInstallationTest, SevenTwelveSetIsFoundWithEveryPath) {
    build(specOf(Release::V712));

    EXPECT_TRUE(environment::control_UpgradeFiles(machine));
    EXPECT_TRUE(Files712.file7);
    EXPECT_FALSE(Files712.file8);
    EXPECT_EQ(preFlightCodes(), std::vector<int>{470});

    const auto& l = layout();
    EXPECT_EQ(Files712.PFVeskKalver7, l.program700Dir);
    EXPECT_EQ(Files712.AliasOrders, "kvServerOrders_12");
    EXPECT_EQ(Files712.dirKalver, l.kalver700);
    EXPECT_EQ(Files712.dirKalverBase, l.kalver700 + "Base/");
    EXPECT_EQ(Files712.dirKalverOrders, l.kalver700 + "Orders/");
    EXPECT_EQ(Files712.dirKalverSorvin, l.kalver700 + "Sorvin/");
    EXPECT_EQ(Files712.dirKalverPellix, l.kalver700 + "Pellix/");
    struct Member {
        std::string TFiles712::*path;
        const char* database;
    };
    // The address databases are named the other way round from the version-8 record.
    const Member members[] = {
        {&TFiles712::filePrice, "Price"},
        {&TFiles712::fileSorvin, "Sorvin"},
        {&TFiles712::fileBase, "Base"},
        {&TFiles712::fileConfig, "Config"},
        {&TFiles712::fileSystem, "System"},
        {&TFiles712::FileGrelto, "Grelto"},
        {&TFiles712::fileOrders, "Orders"},
        {&TFiles712::fileKladr, "Kladr_"},
        {&TFiles712::fileKladrMain, "Kladr"},
        {&TFiles712::filePellix, "Pellix"},
        {&TFiles712::fileOrdersServer, "OrdersServer"},
    };
    for (const auto& m : members) {
        EXPECT_EQ(Files712.*m.path, path712(m.database)) << m.database;
        EXPECT_TRUE(platform::fileExists(Files712.*m.path)) << m.database;
    }
}

TEST_F(PreFlightInstallationTest, SevenTwelveSetWithoutABaseSystemOrOrdersDatabaseEndsTheStartUp) {
    struct Case {
        std::set<std::string> omitted;
        std::vector<int> codes;
        bool result;
    };
    const Case cases[] = {
        {{"Base"}, {470, 476}, false},
        {{"System"}, {470, 477}, false},
        {{"Orders"}, {470, 478}, false},
        {{"System", "Orders"}, {470, 477}, false},
        // The other databases are copied when they are there, and not asked for.
        {{"Price", "Sorvin", "Config", "Pellix"}, {470}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.omitted));
        build(specOf(Release::V712, c.omitted));

        EXPECT_EQ(environment::control_UpgradeFiles(machine), c.result);
        EXPECT_EQ(preFlightCodes(), c.codes);
        EXPECT_EQ(Files712.file7, c.result);
        EXPECT_FALSE(Files712.file8);
        EXPECT_TRUE(ui.messages.empty());
    }
}

TEST_F(PreFlightInstallationTest, TrellanTakesTheSevenTwelveDataRootFromItsKey) {
    struct Case {
        const char* name;
        bool trellan;
        std::optional<std::string> basePath712; // nullopt: no Trellan key
        bool result;
        std::vector<int> codes;
        bool file7;
    };
    const Case cases[] = {
        {"Trellan with its value", true, "@data", true, {470}, true},
        {"Trellan value without a separator", true, "@data-bare", true, {470}, true},
        {"Trellan value pointing elsewhere", true, "@missing", true, {470, 475}, false},
        {"Trellan without its key", true, std::nullopt, false, {470}, false},
        {"Trellan key without the value", true, "", false, {470}, false},
        {"the key is not read without Trellan", false, "@missing", true, {470}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto& l = build(specOf(Release::V712));
        const std::map<std::string, std::string> folders = {{"@data", l.dataRoot},
                                                            {"@data-bare", l.dataRoot.substr(0, l.dataRoot.size() - 1)},
                                                            {"@missing", l.root + "Missing/"},
                                                            {"", ""}};
        if (c.basePath712) {
            const platform::RegistryStore machineStore(l.machineConfig + "Vesk/registry.ini");
            const std::string value = folders.at(*c.basePath712);
            machineStore.writeString(kTrellan712Key, value.empty() ? "Other" : "BasePath712",
                                     value.empty() ? "x" : value);
        }
        kvSetting.bTrellan = c.trellan;

        EXPECT_EQ(environment::control_UpgradeFiles(machine), c.result);
        EXPECT_EQ(preFlightCodes(), c.codes);
        EXPECT_EQ(Files712.file7, c.file7);
        if (c.file7) {
            EXPECT_EQ(Files712.dirKalver, l.kalver700);
        }
    }
}

TEST_F(PreFlightInstallationTest, VersionEightAliasIsRegisteredKeepingEveryOtherLine) {
    const auto& l = build(specOf(Release::V712));
    const std::string server712 = path712("OrdersServer");
    const std::string line8 = "kvServerOrders_8_12 = " + orders8();
    struct Case {
        const char* name;
        std::string before;
        std::string after;
    };
    const Case cases[] = {
        {"as the builder writes it", contentsOf(aliasFile()), contentsOf(aliasFile()) + line8 + "\n"},
        {"Windows line breaks, blanks and comments",
         "# aliases\r\n\r\n  employee =  /db/employee.fdb  \r\nkvServerOrders_12 = " + server712 + "\r\n#end\r\n",
         "# aliases\r\n\r\n  employee =  /db/employee.fdb  \r\nkvServerOrders_12 = " + server712 + "\r\n#end\r\n" +
             line8 + "\r\n"},
        {"old Mac line breaks, a carriage return alone", "# aliases\rkvServerOrders_12 = " + server712 + "\r#end",
         "# aliases\rkvServerOrders_12 = " + server712 + "\r#end\n" + line8 + "\n"},
        {"no line break at the end", "kvServerOrders_12 = " + server712,
         "kvServerOrders_12 = " + server712 + "\n" + line8 + "\n"},
        {"the version-8 alias only commented out",
         "#kvServerOrders_8_12 = /old/orders.fdb\nkvServerOrders_12 = " + server712 + "\n",
         "#kvServerOrders_8_12 = /old/orders.fdb\nkvServerOrders_12 = " + server712 + "\n" + line8 + "\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        platform::replaceFileContents(aliasFile(), c.before);
        Files712 = {};
        kvSetting.KVFile.FileOrdersServer.clear();

        EXPECT_TRUE(environment::control_UpgradeFiles(machine));
        EXPECT_TRUE(Files712.file7);
        EXPECT_EQ(Files712.fileOrdersServer, server712);
        EXPECT_EQ(contentsOf(aliasFile()), c.after);
        // The conversion copy fills the file that the new alias names.
        EXPECT_EQ(kvSetting.KVFile.FileOrdersServer, kvSetting.KVDir.dirKalver + "OrdersServer.fdb");
        EXPECT_EQ(kvSetting.KVFile.FileOrdersServer, orders8());
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_EQ(adminAsked, 1);
        adminAsked = 0;
        // Nothing is left beside the alias file.
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(l.firebirdDir), {}), 1);
    }
}

TEST_F(PreFlightInstallationTest, RegistrationWithoutRightsEndsTheStartUp) {
    build(specOf(Release::V712));
    const std::string before = contentsOf(aliasFile());
    admin = false;

    EXPECT_FALSE(environment::control_UpgradeFiles(machine));
    EXPECT_EQ(ui.messages, std::vector<std::string>{kAdminNeeded});
    EXPECT_EQ(adminAsked, 1);
    EXPECT_EQ(contentsOf(aliasFile()), before);
    EXPECT_EQ(kvSetting.KVFile.FileOrdersServer, "");
    EXPECT_EQ(preFlightCodes(), std::vector<int>{470});
}

TEST_F(PreFlightInstallationTest, NoRegistrationWithoutSomethingToRegister) {
    struct Case {
        const char* name;
        std::set<std::string> omitted;
        std::function<void(const tools::InstallationLayout&)> prepare;
        bool result;
        std::string fileOrdersServer; // the version-8 server path found
    };
    const auto writeFile = [](const std::string& file, const std::string& text) {
        return [=](const tools::InstallationLayout& l) { platform::replaceFileContents(l.root + file, text); };
    };
    const Case cases[] = {
        {"the 7.12 server database does not exist", {"OrdersServer"}, {}, true, ""},
        {"no 7.12 alias", {}, writeFile("Firebird/aliases.conf", "employee = /db/employee.fdb\n"), true, ""},
        {"7.12 settings without DirectoryFirebird", {}, writeFile("Program700/kv.ini", "[Server]\n"), true, ""},
        {"version-8 settings without DirectoryFirebird", {}, writeFile("Program/kv.ini", "[Server]\n"), true, ""},
        {"no version-8 alias file",
         {},
         writeFile("Program/kv.ini", "[Server]\nDirectoryFirebird=/nonexistent/fb"),
         true,
         ""},
        {"version-8 alias there already",
         {},
         [](const tools::InstallationLayout& l) {
             const std::string file = l.firebirdDir + "aliases.conf";
             platform::replaceFileContents(file, contentsOf(file) + "kvServerOrders_8_12 = /srv/orders8.fdb\n");
         },
         true,
         "/srv/orders8.fdb"},
        {"version-8 alias there with an empty path",
         {},
         [](const tools::InstallationLayout& l) {
             const std::string file = l.firebirdDir + "aliases.conf";
             platform::replaceFileContents(file, contentsOf(file) + "kvServerOrders_8_12 =\n");
         },
         true,
         ""},
        {"no 7.12 set to convert", {"Base"}, {}, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto& l = build(specOf(Release::V712, c.omitted));
        if (c.prepare) {
            c.prepare(l);
        }
        const std::string before = contentsOf(aliasFile());
        admin = false;
        adminAsked = 0;

        EXPECT_EQ(environment::control_UpgradeFiles(machine), c.result);
        EXPECT_EQ(kvSetting.KVFile.FileOrdersServer, c.fileOrdersServer);
        EXPECT_EQ(contentsOf(aliasFile()), before);
        EXPECT_FALSE(platform::fileExists("/nonexistent/fb/aliases.conf"));
        EXPECT_TRUE(ui.messages.empty());
        // Rights are not asked for when nothing is to be registered.
        EXPECT_EQ(adminAsked, 0);
    }
}

// ---------------------------------------------------------------------------
// The 7.00 installation key, on installations without databases.

class PreFlightRegistryTest : public PreFlightTest {
protected:
    // Starts the program on the installation with the given 7.00 keys beside its own.
    void startUp(const std::string& keys700, bool trellan) {
        testing_support::resetProgramState();
        Files712 = {};
        platform::setClock([] { return platform::DateTime{2026, 5, 4, 10, 0, 0}; });
        kvSetting.DateStart.Year = 2026;
        const auto& l = installation.layout;
        installation.writeMachineStore(kInstallSection + "DirProgram=" + l.programDir + "\nDirBase=" + l.dataRoot +
                                       "\ntypeInstall=h\nNumberFirm=12\n" + keys700);
        installation.createInfoFolder();
        std::filesystem::remove(l.infoDir + "Register 2026.log");
        ASSERT_TRUE(environment::read_RegistryInstall("h"));
        ASSERT_TRUE(environment::read_DataBaseFiles());
        kvSetting.bTrellan = trellan;
    }

    FolderInstallation installation;
};

TEST_F(PreFlightRegistryTest, SevenHundredKeyDecidesWhereToLook) {
    const std::string root = installation.layout.root;
    const std::string old = root + "Old/";
    const std::string program7 = root + "Program700/";
    ASSERT_TRUE(platform::createDirectories(old + "Kalver700/"));
    const auto key = [](const std::string& values) { return kInstall700Section + values + "\n"; };
    const auto trellanKey = [](const std::string& values) { return kTrellan712Section + values + "\n"; };
    struct Case {
        const char* name;
        std::string keys;
        bool trellan;
        bool result;
        std::vector<int> codes;
        std::string dirKalver;     // empty: not looked at
        std::string PFVeskKalver7; // empty: not looked at
    };
    const Case cases[] = {
        {"no 7.00 key", "", false, false, {470, 471}, "", ""},
        {"no DirBase", key("DirProgram=" + program7), false, false, {470, 472}, "", ""},
        {"no DirProgram", key("DirBase=" + old), false, false, {470, 473}, old, ""},
        {"7.12 data root missing",
         key("DirBase=" + root + "Missing/\nDirProgram=" + program7),
         false,
         true,
         {470, 475},
         root + "Missing/",
         program7},
        {"7.12 data root empty", key("DirBase=\nDirProgram=" + program7), false, true, {470, 475}, "", program7},
        // Separators are added before "Kalver700/"; the set itself is not there.
        {"folders without separators",
         key("DirBase=" + root + "Old\nDirProgram=" + root + "Program700"),
         false,
         false,
         {470, 476},
         old + "Kalver700/",
         program7},
        {"Trellan value",
         key("DirBase=" + root + "Missing/\nDirProgram=" + program7) + trellanKey("BasePath712=" + root + "Old"),
         true,
         false,
         {470, 476},
         old + "Kalver700/",
         program7},
        {"Trellan without its key", key("DirBase=" + old + "\nDirProgram=" + program7), true, false, {470}, "", ""},
        {"Trellan key without BasePath712",
         key("DirBase=" + old + "\nDirProgram=" + program7) + trellanKey("BasePath800=" + old),
         true,
         false,
         {470},
         "",
         ""},
        {"Trellan key unread without Trellan",
         key("DirBase=" + root + "Missing/\nDirProgram=" + program7) + trellanKey("BasePath712=" + old),
         false,
         true,
         {470, 475},
         root + "Missing/",
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        startUp(c.keys, c.trellan);

        EXPECT_EQ(environment::control_UpgradeFiles(machine), c.result);
        EXPECT_EQ(preFlightCodes(), c.codes);
        EXPECT_FALSE(Files712.file7);
        EXPECT_FALSE(Files712.file8);
        if (!c.dirKalver.empty()) {
            EXPECT_EQ(Files712.dirKalver, c.dirKalver);
        }
        if (!c.PFVeskKalver7.empty()) {
            EXPECT_EQ(Files712.PFVeskKalver7, c.PFVeskKalver7);
        }
        // No settings file names a server alias file.
        EXPECT_EQ(kvSetting.KVFile.FileOrdersServer, "");
        EXPECT_TRUE(ui.messages.empty());
    }
}

// ---------------------------------------------------------------------------
// The two alias look-ups on their own.

class PreFlightAliasTest : public PreFlightTest {
protected:
    void SetUp() override {
        PreFlightTest::SetUp();
        testing_support::resetProgramState();
        const std::string folder = scratch.path();
        kvSetting.KVDir.PFVeskKalver8 = folder + "Program/";
        Files712.PFVeskKalver7 = folder + "Program700/";
        // Without a trailing separator: the look-ups add it.
        const std::string kvIni = "[Server]\nDirectoryFirebird=" + folder + "Firebird\n";
        platform::replaceFileContents(kvSetting.KVDir.PFVeskKalver8 + "kv.ini", kvIni);
        platform::replaceFileContents(Files712.PFVeskKalver7 + "kv.ini", kvIni);
        useInstallation(12);
    }
    void TearDown() override {
        testing_support::resetProgramState();
        PreFlightTest::TearDown();
    }

    void useInstallation(int number) {
        environment::NumberFirm = number;
        kvSetting.Alias.Orders = "kvServerOrders_8_" + std::to_string(number);
    }
    std::string aliasFile() const { return scratch.path() + "Firebird/aliases.conf"; }
};

TEST_F(PreFlightAliasTest, EachLookUpReadsTheAliasFileItsOwnWay) {
    struct Case {
        const char* name;
        int number;
        std::string aliases;
        std::string orders8;
        std::string orders7;
    };
    const Case cases[] = {
        // Only the version-8 look-up passes over comments.
        {"commented lines first", 12,
         "#kvServerOrders_8_12 = /old/orders8.fdb\nkvServerOrders_8_12 = /new/orders8.fdb\n"
         "#kvServerOrders_12 = /old/orders7.fdb\nkvServerOrders_12 = /new/orders7.fdb\n",
         "/new/orders8.fdb", "/old/orders7.fdb"},
        // The alias of installation 1 is the start of the one of installation 12.
        {"installation 1 and the aliases of installation 12", 1,
         "kvServerOrders_8_12 = /srv/12/orders8.fdb\nkvServerOrders_12 = /srv/12/orders7.fdb\n", "/srv/12/orders8.fdb",
         "/srv/12/orders7.fdb"},
        {"blanks around the path, the first equals sign", 12,
         "kvServerOrders_8_12   =   /srv/a=b.fdb   \r\n\r\nkvServerOrders_12=/srv/c.fdb\r\n", "/srv/a=b.fdb",
         "/srv/c.fdb"},
        {"lines without an equals sign", 12,
         "kvServerOrders_8_12 /x.fdb\nkvServerOrders_12\nkvServerOrders_8_12 = /y.fdb\nkvServerOrders_12 = /z.fdb\n",
         "/y.fdb", "/z.fdb"},
        {"names compare case-sensitively", 12, "KVSERVERORDERS_8_12 = /x.fdb\nkvserverorders_12 = /y.fdb\n", "", ""},
        {"no alias of this installation", 3, "kvServerOrders_8_12 = /x.fdb\nkvServerOrders_12 = /y.fdb\n", "", ""},
        {"an empty file", 12, "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        useInstallation(c.number);
        platform::replaceFileContents(aliasFile(), c.aliases);

        EXPECT_EQ(environment::read_AliasOrders8(), c.orders8);
        EXPECT_EQ(environment::read_AliasOrders7(machine), c.orders7);
        EXPECT_EQ(Files712.AliasOrders, "kvServerOrders_" + std::to_string(c.number));
    }
}

TEST_F(PreFlightAliasTest, MissingSettingsOrAliasFileGiveNoPath) {
    struct Case {
        const char* name;
        std::string kvIni; // empty: no kv.ini
        bool aliasFile;
    };
    const Case cases[] = {
        {"no settings file", "", true},
        {"no DirectoryFirebird", "[Server]\nDirectoryNet=/srv/\n", true},
        {"DirectoryFirebird of another section", "[Client]\nDirectoryFirebird=" + scratch.path() + "Firebird/\n", true},
        {"empty DirectoryFirebird", "[Server]\nDirectoryFirebird=\n", true},
        {"no alias file", "[Server]\nDirectoryFirebird=" + scratch.path() + "Firebird/\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const auto& folder : {kvSetting.KVDir.PFVeskKalver8, Files712.PFVeskKalver7}) {
            std::filesystem::remove(folder + "kv.ini");
            if (!c.kvIni.empty()) {
                platform::replaceFileContents(folder + "kv.ini", c.kvIni);
            }
        }
        std::filesystem::remove(aliasFile());
        if (c.aliasFile) {
            platform::replaceFileContents(aliasFile(), "kvServerOrders_8_12 = /x.fdb\nkvServerOrders_12 = /y.fdb\n");
        }

        EXPECT_EQ(environment::read_AliasOrders8(), "");
        EXPECT_EQ(environment::read_AliasOrders7(machine), "");
    }
}

TEST_F(PreFlightAliasTest, FixedAliasFileComesFirstForSevenTwelveOnly) {
    platform::replaceFileContents(aliasFile(),
                                  "kvServerOrders_8_12 = /settings/8.fdb\nkvServerOrders_12 = /settings/7.fdb\n");
    const std::string fixed = scratch.path() + "etc/aliases.conf";
    machine.fixedAliasFile712 = fixed;
    EXPECT_EQ(environment::read_AliasOrders7(machine), "/settings/7.fdb");

    platform::replaceFileContents(fixed, "kvServerOrders_8_12 = /fixed/8.fdb\nkvServerOrders_12 = /fixed/7.fdb\n");
    EXPECT_EQ(environment::read_AliasOrders7(machine), "/fixed/7.fdb");
    EXPECT_EQ(environment::read_AliasOrders8(), "/settings/8.fdb");

    // Even without an alias of its own there, the fixed file is the one read.
    platform::replaceFileContents(fixed, "employee = /db/employee.fdb\n");
    EXPECT_EQ(environment::read_AliasOrders7(machine), "");
}

TEST(PreFlightMachine, TheProgramAsksTheUsualAliasFileAndRoot) {
    const environment::PreFlightEnvironment real;
    EXPECT_EQ(real.fixedAliasFile712, "/etc/firebird/2.5/aliases.conf");
    EXPECT_EQ(real.admin(), ::geteuid() == 0);
    EXPECT_EQ(environment::control_Admin(), ::geteuid() == 0);
}

} // namespace
