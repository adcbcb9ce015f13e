// A writing statement whose runs are gathered and sent many parameter sets to a block
// writes exactly the rows its runs one by one write, and fails where they fail.
#include "EngineFixture.h"

#include "engine/firebird/Statement.h"

#include <algorithm>

namespace {

using engine::fb::FbError;
using engine::fb::SqlValue;
using engine::fb::Statement;

constexpr size_t kPerTrip = 64;
const char* const kColumns = "Id, Name, Code, Memo, Ratio, Money, Born, Seen, Twice";

class GatheredRunsTest : public EngineTest {
protected:
    void SetUp() override {
        std::string script;
        for (const char* table : {"One", "Many"}) {
            script += std::string("CREATE TABLE ") + table +
                      " (Id INTEGER, Name VARCHAR(10), Code CHAR(4), Memo BLOB SUB_TYPE 1, Ratio DOUBLE PRECISION, "
                      "Money NUMERIC(15,2), Born DATE, Seen TIMESTAMP, Twice BIGINT);\n"
                      "CREATE UNIQUE INDEX " +
                      table + "_Id ON " + table + " (Id);\n";
        }
        sql("Orders", script);
        ASSERT_TRUE(open("Orders"));
    }

    static std::string repeated(const std::string& text, int times) {
        std::string result;
        for (int k = 0; k < times; ++k) {
            result += text;
        }
        return result;
    }

    // Row i of the sample: every type, NULLs now and then, Cyrillic and empty texts.
    static std::vector<SqlValue> sample(int i) {
        const std::vector<std::string> names = {"", "Рама", "жжжжжжжжжж", "a'b", "0123456789"};
        const auto pick = [i](int every, SqlValue value) { return i % every == 0 ? SqlValue{} : value; };
        return {std::int64_t{i},
                pick(7, names[static_cast<size_t>(i) % names.size()]),
                pick(5, std::string("К") + std::to_string(i % 10)),
                pick(3, repeated("мемо ", i)),
                pick(4, i / 8.0),
                pick(6, engine::fb::Scaled{i * 101 - 5000, 2}),
                pick(9, engine::fb::Date{2020 + i % 5, 1 + i % 12, 1 + i % 28}),
                pick(11, engine::fb::Timestamp{{2024, 2, 29, i % 24, i % 60, i % 60}, i})};
    }

    std::vector<std::string> insertLines(const std::string& table) {
        return {"INSERT INTO " + table + " (" + kColumns + ")",
                "VALUES (:p0, :p1, :p2, :p3, :p4, :p5, :p6, :p7, :p0 * 1000000000)"};
    }

    // The whole table as text, in the order of its ids.
    std::vector<std::string> rows(const std::string& table) {
        std::vector<std::string> result;
        Statement select(module->IBTrRead, {std::string("SELECT ") + kColumns + " FROM " + table + " ORDER BY Id"});
        select.open();
        while (select.fetch()) {
            std::string line;
            for (const auto& value : select.row()) {
                line += (engine::fb::isNull(value) ? std::string("<null>") : engine::fb::toText(value)) + "|";
            }
            result.push_back(line);
        }
        module->IBTrRead.commit();
        return result;
    }

    int blocksPrepared() {
        return static_cast<int>(std::count_if(
            sent.begin(), sent.end(), [](const std::string& text) { return text.starts_with("EXECUTE BLOCK"); }));
    }
};

TEST_F(GatheredRunsTest, GatheredInsertsAndUpdatesWriteTheRowsOfSingleRuns) {
    constexpr int kRows = 2 * static_cast<int>(kPerTrip) + 22;
    recordStatements();
    {
        Statement one(module->IBTrWrite, insertLines("One"));
        Statement many(module->IBTrWrite, insertLines("Many"));
        ASSERT_TRUE(many.gatherRuns(kPerTrip));
        for (int i = 0; i < kRows; ++i) {
            one.execute(sample(i));
            many.execute(sample(i));
        }
        many.sendGathered();
    }
    module->IBTrWrite.commit();
    EXPECT_EQ(blocksPrepared(), 1);
    ASSERT_EQ(rows("One").size(), static_cast<size_t>(kRows));
    EXPECT_EQ(rows("Many"), rows("One"));

    {
        const auto updateOf = [](const std::string& table) {
            return std::vector<std::string>{"UPDATE " + table, "SET Name = :p1, Money = :p2, Born = NULL",
                                            "WHERE Id = :p0 OR Name = :p1"};
        };
        Statement one(module->IBTrWrite, updateOf("One"));
        Statement many(module->IBTrWrite, updateOf("Many"));
        ASSERT_TRUE(many.gatherRuns(kPerTrip));
        for (int i = 0; i < kRows; i += 2) {
            const std::vector<SqlValue> params = {std::int64_t{i}, std::string("н") + std::to_string(i % 4),
                                                  engine::fb::Scaled{-i, 1}};
            one.execute(params);
            many.execute(params);
        }
        many.sendGathered();
    }
    module->IBTrWrite.commit();
    EXPECT_EQ(rows("Many"), rows("One"));
}

TEST_F(GatheredRunsTest, AFailingSetLeavesTheRowsBeforeItAndFailsAsItsOwnRunFails) {
    constexpr int kFailing = static_cast<int>(kPerTrip) + 6;
    for (const char* table : {"One", "Many"}) {
        Statement insert(module->IBTrWrite, insertLines(table));
        const bool gathered = std::string(table) == "Many" && insert.gatherRuns(kPerTrip);
        EXPECT_EQ(gathered, std::string(table) == "Many");
        bool failed = false;
        try {
            for (int i = 0; i < 2 * static_cast<int>(kPerTrip); ++i) {
                // The same id twice: the unique index refuses the second.
                insert.execute(sample(i == kFailing ? 3 : i));
            }
            insert.sendGathered();
        } catch (const FbError& error) {
            failed = true;
            EXPECT_NE(std::string(error.what()).find("duplicate"), std::string::npos) << error.what();
        }
        EXPECT_TRUE(failed) << table;
        module->IBTrWrite.commit();
    }
    ASSERT_EQ(rows("One").size(), static_cast<size_t>(kFailing));
    EXPECT_EQ(rows("Many"), rows("One"));
}

TEST_F(GatheredRunsTest, OnlyWritesWithoutAResultGather) {
    const std::vector<std::vector<std::string>> statements = {
        {"SELECT Id FROM One WHERE Id = :p0"},
        {"INSERT INTO One (Id) VALUES (:p0)", "RETURNING Id"},
        {"DELETE FROM One"},
        {"EXECUTE PROCEDURE RDB$NONE(:p0)"},
    };
    for (const auto& lines : statements) {
        try {
            Statement statement(module->IBTrWrite, lines);
            EXPECT_FALSE(statement.gatherRuns(kPerTrip)) << lines[0];
        } catch (const FbError&) {
            // A statement Firebird does not prepare gathers nothing either.
        }
    }
    module->IBTrWrite.rollback();
    Statement insert(module->IBTrWrite, {"INSERT INTO One (Id) VALUES (:p0)"});
    EXPECT_FALSE(insert.gatherRuns(1));
    EXPECT_TRUE(insert.gatherRuns(kPerTrip));
}

} // namespace
