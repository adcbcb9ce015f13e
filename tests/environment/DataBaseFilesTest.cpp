#include "FolderInstallation.h"

#include "environment/DataBaseFiles.h"
#include "environment/DatabasePassword.h"
#include "environment/KvSetting.h"
#include "environment/RegistryInstall.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "support/ScriptedUserInterface.h"
#include "support/TestInstallation.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

namespace {

using environment::kvSetting;
using environment_tests::contentsOf;
using environment_tests::FolderInstallation;
using environment_tests::kTrellanSection;

struct DatabaseField {
    const char* file;
    std::string environment::TKVFile::*path;
};

// Every database and temporary file that lies in the databases' folder.
const DatabaseField kDatabaseFields[] = {
    {"OrdersTMP.fdb", &environment::TKVFile::FileOrdersTMP},
    {"OrdersTMP2.fdb", &environment::TKVFile::FileOrdersTMP2},
    {"OrdersTMP3.fdb", &environment::TKVFile::FileOrdersTMP3},
    {"Price.fdb", &environment::TKVFile::FilePrice},
    {"Base.fdb", &environment::TKVFile::FileBase},
    {"Config.fdb", &environment::TKVFile::FileConfig},
    {"Grelto.fdb", &environment::TKVFile::FileGrelto},
    {"System.fdb", &environment::TKVFile::FileSystem},
    {"Orders.fdb", &environment::TKVFile::FileOrders},
    {"Pellix.fdb", &environment::TKVFile::FilePellix},
    {"Kladr_.fdb", &environment::TKVFile::fileKladrMain},
    {"Kladr.fdb", &environment::TKVFile::fileKladr},
};

class DataBaseFilesTest : public ::testing::Test {
protected:
    // Reads the installation key as start-up does, ready for read_DataBaseFiles.
    void startUp() {
        platform::setClock([] { return platform::DateTime{2026, 12, 31, 23, 59, 58}; });
        kvSetting.DateStart.Year = 2026;
        installation.createInfoFolder();
        ASSERT_TRUE(environment::read_RegistryInstall("h"));
    }

    std::string log() const { return contentsOf(kvSetting.KVFile.FileRegister); }

    FolderInstallation installation;
    testing_support::ScriptedUserInterface ui;
};

TEST_F(DataBaseFilesTest, EveryDatabaseLiesInTheDatabasesFolder) {
    struct Case {
        const char* name;
        bool trellan;
        std::optional<std::string> trellanValue;
        std::string dirKalver; // empty: the installation's Kalver800 folder
    };
    const Case cases[] = {
        {"installation", false, std::nullopt, ""},
        {"installation, Trellan value ignored", false, "/srv/trellan/", ""},
        {"Trellan", true, "/srv/trellan/base800/", "/srv/trellan/base800/"},
        // A Trellan value is used as stored, without a separator added.
        {"Trellan without separator", true, "/srv/trellan/base800", "/srv/trellan/base800"},
        {"Trellan without its value", true, std::nullopt, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        startUp();
        kvSetting.bTrellan = c.trellan;
        installation.writeUserStore(c.trellanValue ? kTrellanSection + "BasePath800=" + *c.trellanValue + "\n" : "");
        const std::string dirKalver = c.trellan ? c.dirKalver : installation.layout.kalver800;

        ASSERT_TRUE(environment::read_DataBaseFiles());
        EXPECT_EQ(kvSetting.KVDir.dirKalver, dirKalver);
        for (const auto& field : kDatabaseFields) {
            EXPECT_EQ(kvSetting.KVFile.*field.path, dirKalver + field.file) << field.file;
        }
        EXPECT_EQ(kvSetting.KVFile.FileINI, installation.layout.programDir + "kv.ini");
        // Not formed here: the server's Orders file comes from the pre-flight checks.
        EXPECT_EQ(kvSetting.KVFile.FileOrdersServer, "");
    }
}

TEST_F(DataBaseFilesTest, LoginLinesAndAliasesFollowTheInstallationNumber) {
    struct Case {
        int numberFirm;
        std::string params1;
        std::string suffix;
    };
    const Case cases[] = {{0, "", "0"}, {-3, "", "-3"}, {12, "user_name=kv5.12", "12"}, {1, "user_name=kv5.1", "1"}};
    const std::regex password("password=[0-9A-F]{8}");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.numberFirm);
        startUp();
        environment::NumberFirm = c.numberFirm;
        ASSERT_TRUE(environment::read_DataBaseFiles());

        EXPECT_EQ(kvSetting.Params1, c.params1);
        if (c.params1.empty()) {
            EXPECT_EQ(kvSetting.Params2, "");
        } else {
            EXPECT_TRUE(std::regex_match(kvSetting.Params2, password)) << kvSetting.Params2;
        }
        const auto& alias = kvSetting.Alias;
        EXPECT_EQ(alias.Sorvin, "kvServerSorvin_8_" + c.suffix);
        EXPECT_EQ(alias.Price, "kvServerPrice_8_" + c.suffix);
        EXPECT_EQ(alias.Base, "kvServerBase_8_" + c.suffix);
        EXPECT_EQ(alias.Orders, "kvServerOrders_8_" + c.suffix);
        EXPECT_EQ(alias.System, "kvServerSystem_8_" + c.suffix);
        EXPECT_EQ(alias.Pellix, "kvServerPellix_8_" + c.suffix);
    }
}

// The password is derived, not stored: the same number always gives the same one.
TEST(DatabasePassword, StableAndDistinctPerInstallation) {
    std::set<std::string> seen;
    for (int number = 1; number <= 200; ++number) {
        const std::string password = environment::databasePassword(number);
        EXPECT_EQ(password, environment::databasePassword(number));
        EXPECT_TRUE(std::regex_match(password, std::regex("[0-9A-F]{8}"))) << password;
        seen.insert(password);
    }
    EXPECT_EQ(seen.size(), 200u);
    EXPECT_EQ(environment::databaseUser(12), "kv5.12");
}

TEST_F(DataBaseFilesTest, LogsItsStartButNeverThePassword) {
    startUp();
    environment::NumberFirm = 12;
    ASSERT_TRUE(environment::read_DataBaseFiles());
    const std::string secret = kvSetting.Params2.substr(std::string("password=").size());
    ASSERT_EQ(secret.size(), 8u);

    EXPECT_EQ(log(), "31.12.2026 23:59:58: *002 \r\n");
    EXPECT_EQ(log().find(secret), std::string::npos);
    EXPECT_EQ(contentsOf(installation.machineStore()).find(secret), std::string::npos);
    EXPECT_EQ(contentsOf(installation.userStore()).find(secret), std::string::npos);
    EXPECT_TRUE(ui.messages.empty());
}

// Against a complete installation with its databases, the formed paths are the files laid out.
TEST(DataBaseFilesOnInstallation, PathsNameTheInstallationsDatabases) {
    testing_support::TestInstallation installation;
    EXPECT_EQ(kvSetting.Params1, "user_name=kv5.12");
    EXPECT_EQ(kvSetting.Alias.Orders, "kvServerOrders_8_12");
    const std::pair<const char*, std::string environment::TKVFile::*> databases[] = {
        {"Base", &environment::TKVFile::FileBase},     {"Config", &environment::TKVFile::FileConfig},
        {"Orders", &environment::TKVFile::FileOrders}, {"Price", &environment::TKVFile::FilePrice},
        {"Pellix", &environment::TKVFile::FilePellix}, {"Grelto", &environment::TKVFile::FileGrelto},
        {"System", &environment::TKVFile::FileSystem},
    };
    for (const auto& [name, field] : databases) {
        EXPECT_EQ(kvSetting.KVFile.*field, installation.database(name)) << name;
        EXPECT_TRUE(platform::fileExists(kvSetting.KVFile.*field)) << name;
    }
    EXPECT_EQ(kvSetting.KVDir.dirKalver, installation.layout().kalver800);
}

} // namespace
