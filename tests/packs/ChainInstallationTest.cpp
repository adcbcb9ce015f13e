#include "support/ChainInstallation.h"

#include "engine/ReadingWrappers.h"
#include "platform/FileSystem.h"

#include <gtest/gtest.h>

namespace {

TEST(ChainInstallationTest, EachTestGetsFreshFilesOfTheSameStart) {
    std::string first;
    {
        testing_support::ChainInstallation chain(0);
        first = chain.database("Base");
        int v = 0, sp = 0, bb = -1;
        ASSERT_TRUE(engine::dm_read_VersionServicePackBuild(first, v, sp, bb));
        EXPECT_EQ(std::make_tuple(v, sp, bb), std::make_tuple(8, 0, 0));
        tools::runScript(first, 12, "UPDATE kv_Setting SET Build = 5;");
    }
    testing_support::ChainInstallation again(0);
    EXPECT_NE(again.database("Base"), first);
    int v = 0, sp = 0, bb = -1;
    ASSERT_TRUE(engine::dm_read_VersionServicePackBuild(again.database("Base"), v, sp, bb));
    EXPECT_EQ(bb, 0);
}

} // namespace
