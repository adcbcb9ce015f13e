#include "environment/EventLog.h"

#include <gtest/gtest.h>

TEST(EventLog, UnknownCodeIsTheTitle) { EXPECT_EQ(environment::composeEventMessage(4711), ""); }
