#include "FolderInstallation.h"

#include "environment/FileProcedures.h"
#include "environment/KvSetting.h"
#include "environment/RegistryInstall.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

namespace {

using environment::kvSetting;
using environment_tests::contentsOf;
using environment_tests::FolderInstallation;
using environment_tests::kInstallSection;
using environment_tests::kTrellanSection;

// The program itself always asks for "h".
TEST(RegistryInstall, StoredInstallationTypeAgainstTheProgramRequest) {
    struct Case {
        std::string stored;
        bool accepted;
        std::string result;
    };
    const Case cases[] = {
        {"h", true, "h"}, {"d", true, "d"}, {"dfhs", true, "h"}, {"hd", false, ""}, {"", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("stored \"" + c.stored + "\"");
        FolderInstallation installation(c.stored);
        EXPECT_EQ(environment::read_RegistryInstall("h"), c.accepted);
        EXPECT_EQ(kvSetting.typeInstall, c.result);
    }
}

TEST(RegistryInstall, AcceptedTypeForOtherRequests) {
    struct Case {
        std::string stored;
        std::string requested;
        std::string accepted; // empty: refused
    };
    const Case cases[] = {
        {"dfhs", "", "h"}, {"dfhs", "d", "d"}, {"dfhs", "s", "s"}, {"d", "", "d"},   {"d", "d", "d"},
        {"h", "d", ""},    {"d", "s", ""},     {"hd", "d", ""},    {"hd", "hd", ""}, {"", "d", ""},
        {"", "", ""},      {"D", "d", ""},     {"dfh", "d", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("stored \"" + c.stored + "\", requested \"" + c.requested + "\"");
        EXPECT_EQ(environment::acceptedInstallType(c.stored, c.requested), c.accepted);
    }
}

TEST(RegistryInstall, MissingKeyOrValueIsRefusedAndChangesNothing) {
    FolderInstallation installation;
    const std::string program = "DirProgram=" + installation.layout.programDir + "\n";
    const std::string base = "DirBase=" + installation.layout.dataRoot + "\n";
    const std::string type = "typeInstall=h\n";
    const std::string stores[] = {
        "",
        "[SOFTWARE\\Vesk\\Калвер\\7.00]\n" + program + base + type,
        kInstallSection + base + type,
        kInstallSection + program + type,
        kInstallSection + program + base,
        kInstallSection + program + base + "typeInstall " + "h\n", // corrupt: reads as no store at all
    };
    for (const auto& store : stores) {
        SCOPED_TRACE(store);
        installation.writeMachineStore(store);
        EXPECT_FALSE(environment::read_RegistryInstall("h"));
        EXPECT_EQ(kvSetting.typeInstall, "");
        EXPECT_EQ(kvSetting.KVDir.Vesk, "");
        EXPECT_EQ(kvSetting.KVFile.FileRegister, "");
    }
}

TEST(RegistryInstall, FoldersAreFormedWithTrailingSeparators) {
    FolderInstallation installation;
    const std::string root = installation.layout.root;
    installation.writeMachineStore(kInstallSection + "DirProgram=" + root + "Program\nDirBase=" + root +
                                   "Data\ntypeInstall=h\n");
    kvSetting.DateStart.Year = 2026;

    ASSERT_TRUE(environment::read_RegistryInstall("h"));
    const auto& dir = kvSetting.KVDir;
    EXPECT_EQ(dir.PFVeskKalver8, root + "Program/");
    EXPECT_EQ(dir.Vesk, root + "Data/");
    EXPECT_EQ(dir.VeskKalver8, root + "Data/Kalver800/");
    EXPECT_EQ(dir.VeskVersion8, root + "Data/Версия/800/");
    EXPECT_EQ(dir.VeskVersionInfo, root + "Data/Версия/800/Info/");
    EXPECT_EQ(kvSetting.KVFile.FileRegister, root + "Data/Версия/800/Info/Register 2026.log");
    // The databases' folder is formed later, by read_DataBaseFiles.
    EXPECT_EQ(dir.dirKalver, "");
}

TEST(RegistryInstall, FoldersStoredWithSeparatorKeepASingleOne) {
    FolderInstallation installation;
    kvSetting.DateStart.Year = 1999;
    ASSERT_TRUE(environment::read_RegistryInstall("h"));
    EXPECT_EQ(kvSetting.KVDir.PFVeskKalver8, installation.layout.programDir);
    EXPECT_EQ(kvSetting.KVDir.Vesk, installation.layout.dataRoot);
    EXPECT_EQ(kvSetting.KVDir.VeskKalver8, installation.layout.kalver800);
    EXPECT_EQ(kvSetting.KVDir.VeskVersionInfo, installation.layout.infoDir);
    EXPECT_EQ(kvSetting.KVFile.FileRegister, installation.layout.infoDir + "Register 1999.log");
}

// Empty folder values are accepted here; control_Install refuses them as folders that do not exist.
TEST(RegistryInstall, EmptyFolderValuesStayEmpty) {
    FolderInstallation installation;
    installation.writeMachineStore(kInstallSection + "DirProgram=\nDirBase=\ntypeInstall=h\n");
    ASSERT_TRUE(environment::read_RegistryInstall("h"));
    EXPECT_EQ(kvSetting.KVDir.PFVeskKalver8, "");
    EXPECT_EQ(kvSetting.KVDir.Vesk, "");
}

TEST(RegistryInstall, InstallationNumberIsRead) {
    struct Case {
        std::string line;
        int numberFirm;
    };
    const Case cases[] = {{"NumberFirm=12\n", 12}, {"NumberFirm=0\n", 0}, {"", 0}, {"NumberFirm=x\n", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        FolderInstallation installation;
        installation.writeMachineStore(kInstallSection + "DirProgram=/p/\nDirBase=/d/\ntypeInstall=h\n" + c.line);
        environment::NumberFirm = 99;
        ASSERT_TRUE(environment::read_RegistryInstall("h"));
        EXPECT_EQ(environment::NumberFirm, c.numberFirm);
    }
}

TEST(TrellanValue, ReadFromTheUserStore) {
    FolderInstallation installation;
    EXPECT_EQ(environment::read_TrellanValue("BasePath800"), "");

    installation.writeUserStore(kTrellanSection + "BasePath800=/srv/trellan/base 800\n");
    EXPECT_EQ(environment::read_TrellanValue("BasePath800"), "/srv/trellan/base 800");
    EXPECT_EQ(environment::read_TrellanValue("BasePath700"), "");

    // The same key in the machine store does not count.
    installation.writeUserStore("");
    installation.writeMachineStore(kTrellanSection + "BasePath800=/machine/\n");
    EXPECT_EQ(environment::read_TrellanValue("BasePath800"), "");
}

TEST(RegistryInteger, WrittenUnderTheInstallationKeyOfTheUserStore) {
    FolderInstallation installation;
    installation.writeUserStore(kTrellanSection + "BasePath800=/base/\n");
    environment::fw_Write_RegistryInteger("", "ServicePack", 7);
    environment::fw_Write_RegistryInteger("", "Build", 24);
    environment::fw_Write_RegistryInteger("", "ServicePack", 8);
    environment::fw_Write_RegistryInteger("Packs\\", "Last", 80007);

    EXPECT_EQ(contentsOf(installation.userStore()), kTrellanSection + "BasePath800=/base/\n\n" + kInstallSection +
                                                        "ServicePack=8\nBuild=24\n\n"
                                                        "[SOFTWARE\\Vesk\\Калвер\\8.00\\Packs]\nLast=80007\n");
    // The machine store is only read.
    EXPECT_EQ(contentsOf(installation.machineStore()).find("ServicePack"), std::string::npos);
}

TEST(RegistryInteger, MissingUserStoreIsCreated) {
    FolderInstallation installation;
    std::filesystem::remove_all(installation.layout.userConfig);
    environment::fw_Write_RegistryInteger("", "Build", 24);
    EXPECT_EQ(contentsOf(installation.userStore()), kInstallSection + "Build=24\n");
}

TEST(RegistryInteger, UnreadableUserStoreRaisesAndIsLeftAlone) {
    FolderInstallation installation;
    const std::string corrupt = "[SOFTWARE\\Vesk\\Калвер\\8.00\nServicePack=3\n";
    installation.writeUserStore(corrupt);
    EXPECT_THROW(environment::fw_Write_RegistryInteger("", "ServicePack", 7), std::runtime_error);
    EXPECT_EQ(contentsOf(installation.userStore()), corrupt);
}

} // namespace
