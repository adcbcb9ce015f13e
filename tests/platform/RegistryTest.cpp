#include "platform/Registry.h"
#include "support/TestInstallation.h"

#include <gtest/gtest.h>

TEST(Registry, WrittenValuesReadBack) {
    testing_support::TempDir dir;
    platform::RegistryStore store(dir.path() + "Vesk/registry.ini");
    store.writeString("SOFTWARE\\Vesk\\Калвер\\8.00\\", "DirBase", "/data/");
    EXPECT_EQ(store.readString("SOFTWARE\\Vesk\\Калвер\\8.00", "DirBase"), "/data/");
}
