#include "platform/Text.h"
#include "platform/Clock.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

TEST(Text, ParseIntAcceptsOnlyWholeSignedDecimals) {
    struct Case {
        std::string text;
        std::optional<int> value;
    };
    const Case cases[] = {
        {"0", 0},
        {"24", 24},
        {"+7", 7},
        {"-42", -42},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"", std::nullopt},
        {"+", std::nullopt},
        {"-", std::nullopt},
        {"+-5", std::nullopt},
        {"--5", std::nullopt},
        {"12a", std::nullopt},
        {" 12", std::nullopt},
        {"0x10", std::nullopt},
        {"1.5", std::nullopt},
        {"2147483648", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("\"" + c.text + "\"");
        EXPECT_EQ(platform::parseInt(c.text), c.value);
    }
}

TEST(Text, UpperAsciiLeavesOtherLettersAlone) {
    EXPECT_EQ(platform::upperAscii("kv5.Калвер_orders"), "KV5.Калвер_ORDERS");
}

TEST(Clock, DateAndTimeArePaddedToTheirFixedWidths) {
    const platform::DateTime t{2026, 1, 2, 3, 4, 5};
    EXPECT_EQ(platform::formatDate(t), "02.01.2026");
    EXPECT_EQ(platform::formatTime(t), "03:04:05");
}

TEST(Clock, ReplacedSourceIsUsedUntilReset) {
    platform::setClock([] { return platform::DateTime{2026, 12, 31, 23, 59, 58}; });
    EXPECT_EQ(platform::formatDate(platform::now()), "31.12.2026");
    EXPECT_EQ(platform::formatTime(platform::now()), "23:59:58");
    platform::resetClock();
    EXPECT_GT(platform::now().year, 2000);
}

} // namespace
