#include "engine/firebird/SqlText.h"

#include <gtest/gtest.h>

#include <limits>

using engine::fb::joinLines;
using engine::fb::rewriteParameters;

TEST(SqlText, LinesAreJoinedByLineBreaks) {
    EXPECT_EQ(joinLines({"SELECT Count (*)", "FROM RDB$RELATIONS"}), "SELECT Count (*)\nFROM RDB$RELATIONS");
}

TEST(SqlText, ParametersBecomeMarkersInTheirOrder) {
    const auto text = rewriteParameters("UPDATE kv_Setting\nSET\nServicePack = :p1,\nBuild = :p0");
    EXPECT_EQ(text.sql, "UPDATE kv_Setting\nSET\nServicePack = ?,\nBuild = ?");
    EXPECT_EQ(text.parameterOrder, (std::vector<int>{1, 0}));
}

TEST(SqlText, AMarkerNumberTooLargeForAnIntNamesNoValue) {
    // 2^32 + 1 would wrap round to the number of the second value.
    const auto text = rewriteParameters("UPDATE kv_Setting SET Build = :p4294967297 WHERE Id = :p0");
    EXPECT_EQ(text.sql, "UPDATE kv_Setting SET Build = ? WHERE Id = ?");
    EXPECT_EQ(text.parameterOrder, (std::vector<int>{std::numeric_limits<int>::max(), 0}));
}

TEST(SqlText, QuotedTextAndCommentsKeepTheirColons) {
    struct Case {
        const char* sql;
        const char* expected;
        std::vector<int> order;
    };
    const Case cases[] = {
        {"SELECT ':p0' FROM T WHERE A = :p1", "SELECT ':p0' FROM T WHERE A = ?", {1}},
        {"SELECT 'it''s :p0' FROM T WHERE A = :p0", "SELECT 'it''s :p0' FROM T WHERE A = ?", {0}},
        {"SELECT \":p2\" FROM T", "SELECT \":p2\" FROM T", {}},
        {"SELECT 1 -- :p0\nFROM T WHERE B = :p3", "SELECT 1 -- :p0\nFROM T WHERE B = ?", {3}},
        {"SELECT /* :p0 */ 1 FROM T WHERE C = :p10", "SELECT /* :p0 */ 1 FROM T WHERE C = ?", {10}},
        {"SELECT :p0x FROM T", "SELECT :p0x FROM T", {}},
        {"SELECT a:p0 FROM T", "SELECT a:p0 FROM T", {}},
    };
    for (const auto& c : cases) {
        const auto text = rewriteParameters(c.sql);
        EXPECT_EQ(text.sql, c.expected) << c.sql;
        EXPECT_EQ(text.parameterOrder, c.order) << c.sql;
    }
}
