#include "environment/FileProcedures.h"
#include "environment/KvSetting.h"
#include "platform/FileSystem.h"
#include "platform/ProgramVersion.h"
#include "support/TestInstallation.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <regex>
#include <set>

namespace fs = std::filesystem;

namespace {

using environment::fw_DeleteFile;

std::array<int, 4> versionOf(const std::string& file) {
    environment::TProgramInfo info;
    info.VersionMain = info.Version = info.ServicePack = info.Build = -1;
    environment::read_FileVersion(file, info);
    // Only the four version fields are filled.
    EXPECT_EQ(info.NewVersionMain, 0);
    EXPECT_EQ(info.NewBuild, 0);
    EXPECT_EQ(info.Upgrade_h, "");
    EXPECT_FALSE(info.bUpgrade);
    return {info.VersionMain, info.Version, info.ServicePack, info.Build};
}

TEST(DeleteFile, ReadOnlyFileIsRemoved) {
    testing_support::TempDir dir;
    const std::string file = dir.path() + "OrdersTMP.fdb";
    platform::replaceFileContents(file, "data");
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

    EXPECT_TRUE(fw_DeleteFile(file));
    EXPECT_FALSE(fs::exists(fs::symlink_status(file)));
}

TEST(DeleteFile, MissingFileIsAlreadyGone) {
    testing_support::TempDir dir;
    EXPECT_TRUE(fw_DeleteFile(dir.path() + "Sorvin.fdb"));
    EXPECT_TRUE(fw_DeleteFile(dir.path() + "no such folder/Sorvin.fdb"));
    EXPECT_TRUE(fw_DeleteFile(""));
    // Nothing was created on the way.
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(DeleteFile, FolderIsNotAFileAndStays) {
    testing_support::TempDir dir;
    const std::string empty = dir.path() + "Empty";
    const std::string full = dir.path() + "Full";
    fs::create_directory(empty);
    platform::replaceFileContents(full + "/inner.fdb", "data");

    EXPECT_FALSE(fw_DeleteFile(empty));
    EXPECT_FALSE(fw_DeleteFile(full));
    EXPECT_FALSE(fw_DeleteFile(full + "/"));
    EXPECT_TRUE(fs::is_directory(empty));
    EXPECT_TRUE(fs::exists(full + "/inner.fdb"));
}

// The attributes are cleared on the link's target; the link itself is what goes.
TEST(DeleteFile, LinkIsRemovedAndItsTargetMadeWritable) {
    testing_support::TempDir dir;
    const std::string target = dir.path() + "kv8_h.exe";
    const std::string link = dir.path() + "link.exe";
    platform::replaceFileContents(target, "program");
    fs::permissions(target, fs::perms::owner_read);
    fs::create_symlink(target, link);

    EXPECT_TRUE(fw_DeleteFile(link));
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
    ASSERT_TRUE(fs::exists(target));
    EXPECT_NE(fs::status(target).permissions() & fs::perms::owner_write, fs::perms::none);
}

TEST(DeleteFile, DanglingLinkIsRemoved) {
    testing_support::TempDir dir;
    const std::string link = dir.path() + "dangling.exe";
    fs::create_symlink(dir.path() + "gone.exe", link);
    EXPECT_TRUE(fw_DeleteFile(link));
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
}

TEST(NewGuid, ThirtyTwoUpperCaseHexDigitsEachTimeNew) {
    const std::regex digits("[0-9A-F]{32}");
    std::set<std::string> seen;
    for (int i = 0; i < 1000; ++i) {
        const std::string guid = environment::read_NewGUID();
        ASSERT_TRUE(std::regex_match(guid, digits)) << guid;
        seen.insert(guid);
    }
    EXPECT_EQ(seen.size(), 1000u);
}

TEST(FileVersion, ProgramCarriesItsFourPartVersion) {
    const std::array<int, 4> expected{8, 0, 7, 24};
    EXPECT_EQ(platform::programVersion(), expected);
    EXPECT_EQ(platform::fileVersion(platform::executablePath()), expected);
    EXPECT_EQ(versionOf(platform::executablePath()), expected);
}

TEST(FileVersion, OtherFilesHaveNone) {
    testing_support::TempDir dir;
    const std::string file = dir.path() + "random.bin";
    platform::replaceFileContents(file, "\x7F"
                                        "ELF not really");
    const std::array<int, 4> none{0, 0, 0, 0};
    EXPECT_EQ(versionOf(file), none);
    EXPECT_EQ(versionOf(dir.path() + "missing.exe"), none);
    EXPECT_EQ(versionOf(""), none);
    EXPECT_EQ(versionOf(dir.path()), none);
}

} // namespace
