#include "platform/NamedLock.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace {

std::string uniqueName(const std::string& what) {
    return "zuruzod-test-" + what + "-" + std::to_string(::getpid());
}

// Lock files stay behind by design; a test takes its own away.
struct LockFileRemover {
    std::string name;
    ~LockFileRemover() { std::filesystem::remove(platform::NamedLock::fileOf(name)); }
};

TEST(NamedLockTest, SecondHolderIsRefusedUntilTheFirstLetsGo) {
    const std::string name = uniqueName("pair");
    const LockFileRemover remover{name};
    platform::NamedLock first(name);
    platform::NamedLock second(name);
    ASSERT_EQ(first.tryAcquire(), platform::NamedLock::Result::Acquired);
    EXPECT_EQ(second.tryAcquire(), platform::NamedLock::Result::HeldElsewhere);
    EXPECT_TRUE(platform::NamedLock::isHeldElsewhere(name));
    first.release();
    EXPECT_FALSE(platform::NamedLock::isHeldElsewhere(name));
    EXPECT_EQ(second.tryAcquire(), platform::NamedLock::Result::Acquired);
}

TEST(NamedLockTest, HolderMayAskAgain) {
    const LockFileRemover remover{uniqueName("again")};
    platform::NamedLock lock(remover.name);
    ASSERT_EQ(lock.tryAcquire(), platform::NamedLock::Result::Acquired);
    EXPECT_EQ(lock.tryAcquire(), platform::NamedLock::Result::Acquired);
    EXPECT_TRUE(lock.held());
}

TEST(NamedLockTest, NobodyHoldsANameNeverTaken) {
    EXPECT_FALSE(platform::NamedLock::isHeldElsewhere(uniqueName("never")));
}

TEST(NamedLockTest, LockFileIsNamedAfterTheNameAndTheUser) {
    const std::string file = platform::NamedLock::fileOf("zuruzod 8e");
    EXPECT_NE(file.find("/zuruzod 8e." + std::to_string(::getuid()) + ".lock"), std::string::npos) << file;
    EXPECT_EQ(platform::NamedLock::fileOf("a/b").find("a/b"), std::string::npos);
}

} // namespace
