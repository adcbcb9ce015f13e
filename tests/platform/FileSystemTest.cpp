#include "platform/FileSystem.h"
#include "support/TestInstallation.h"

#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct stat statOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info;
}

TEST(CopyFileCompletely, AFileReplacedKeepsItsOwnerAndRightsAndANewOneTakesTheSources) {
    testing_support::TempDir folder;
    const std::string source = folder.path() + "source.fdb";
    const std::string target = folder.path() + "target.fdb";
    const std::string fresh = folder.path() + "fresh.fdb";
    platform::replaceFileContents(source, "new contents");
    ASSERT_EQ(::chmod(source.c_str(), 0600), 0);
    platform::replaceFileContents(target, "old contents");
    ASSERT_EQ(::chmod(target.c_str(), 0664), 0);
    // A database server's own account, as a database file under a server has it.
    const passwd* nobody = ::getpwnam("nobody");
    const bool giveAway = ::geteuid() == 0 && nobody != nullptr;
    if (giveAway) {
        ASSERT_EQ(::chown(target.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    }

    ASSERT_TRUE(platform::copyFileCompletely(source, target));
    ASSERT_TRUE(platform::copyFileCompletely(source, fresh));

    std::string contents;
    ASSERT_TRUE(platform::readWholeFile(target, contents));
    EXPECT_EQ(contents, "new contents");
    const struct stat replaced = statOf(target);
    EXPECT_EQ(replaced.st_mode & 07777, 0664u);
    if (giveAway) {
        EXPECT_EQ(replaced.st_uid, nobody->pw_uid);
        EXPECT_EQ(replaced.st_gid, nobody->pw_gid);
    }
    EXPECT_EQ(statOf(fresh).st_mode & 07777, 0600u);
    EXPECT_EQ(statOf(fresh).st_uid, ::geteuid());
    EXPECT_FALSE(platform::fileExists(target + ".part"));
}

} // namespace
