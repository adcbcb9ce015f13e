// The Firebird client wrapper against real databases: values of every type the
// packs read and write, texts of any size, and statements prepared once.
#include "EngineFixture.h"

#include "engine/firebird/Statement.h"

#include <cmath>

namespace {

using engine::fb::FbError;
using engine::fb::SqlValue;
using engine::fb::Statement;

class FirebirdWrapperTest : public EngineTest {
protected:
    void SetUp() override {
        sql("Orders", "CREATE TABLE Sample (Id INTEGER, Name VARCHAR(10), Memo BLOB SUB_TYPE 1, Picture BLOB SUB_TYPE "
                      "0, Ratio DOUBLE PRECISION, Money NUMERIC(18,4), Small NUMERIC(4,1), Born DATE, Seen TIMESTAMP, "
                      "Alarm TIME, Flag BOOLEAN);");
        ASSERT_TRUE(open("Orders"));
    }

    void insert(const std::vector<std::string>& columns, std::vector<SqlValue> values) {
        std::string names = "Id";
        std::string markers = ":p0";
        for (size_t i = 0; i < columns.size(); ++i) {
            names += ", " + columns[i];
            markers += ", :p" + std::to_string(i + 1);
        }
        values.insert(values.begin(), std::int64_t{1});
        Statement statement(module->IBTrWrite, {"INSERT INTO Sample (" + names + ")", "VALUES (" + markers + ")"});
        statement.execute(values);
        module->IBTrWrite.commit();
    }

    std::vector<SqlValue> row(const std::string& columns) {
        Statement statement(module->IBTrRead, {"SELECT " + columns, "FROM Sample"});
        statement.open();
        EXPECT_TRUE(statement.fetch());
        std::vector<SqlValue> values = statement.row();
        statement.closeCursor();
        module->IBTrRead.commit();
        return values;
    }
};

TEST_F(FirebirdWrapperTest, TextsOfAnySizeReachABlobWhole) {
    std::string memo;
    for (int i = 0; memo.size() < 70000; ++i) {
        memo += "строка " + std::to_string(i) + "\r\n";
    }
    const std::string picture(200000, '\x01');
    insert({"Memo", "Picture"}, {memo, picture});
    const auto values = row("Memo, Picture, OCTET_LENGTH(Picture)");
    EXPECT_EQ(std::get<std::string>(values[0]), memo);
    EXPECT_EQ(std::get<std::string>(values[1]).size(), picture.size());
    EXPECT_EQ(std::get<std::int64_t>(values[2]), 200000);
}

TEST_F(FirebirdWrapperTest, ATextTooLongForItsColumnFailsInsteadOfBeingCut) {
    std::string elevenLetters;
    for (int i = 0; i < 11; ++i) {
        elevenLetters += "ж";
    }
    for (const std::string& name : {std::string(11, 'a'), std::string(70000, 'b'), elevenLetters}) {
        EXPECT_THROW(insert({"Name"}, {name}), FbError) << name.size();
        module->IBTrWrite.rollback();
    }
    insert({"Name"}, {std::string("жжжжжжжжжж")});
    EXPECT_EQ(std::get<std::string>(row("Name")[0]), "жжжжжжжжжж");
}

TEST_F(FirebirdWrapperTest, NumbersDatesAndTimesReadAsValuesOfTheirOwn) {
    write("INSERT INTO Sample (Id, Ratio, Money, Small, Born, Seen, Alarm, Flag) VALUES (1, 2.5, 1234.5678, -0.5, "
          "'15.03.2024', '15.03.2024 10:30:15.1234', '23:59:58', TRUE)");
    const auto values = row("Ratio, Money, Small, Born, Seen, Alarm, Flag, Ratio * 2");
    EXPECT_EQ(std::get<double>(values[0]), 2.5);
    EXPECT_EQ(std::get<engine::fb::Scaled>(values[1]), (engine::fb::Scaled{12345678, 4}));
    EXPECT_EQ(engine::fb::toText(values[1]), "1234.5678");
    EXPECT_EQ(engine::fb::toText(values[2]), "-0.5");
    EXPECT_EQ(std::get<engine::fb::Date>(values[3]), (engine::fb::Date{2024, 3, 15}));
    const auto seen = std::get<engine::fb::Timestamp>(values[4]);
    EXPECT_EQ(engine::fb::toText(values[4]), "15.03.2024 10:30:15");
    EXPECT_EQ(seen.fraction, 1234);
    EXPECT_EQ(std::get<engine::fb::Time>(values[5]), (engine::fb::Time{23, 59, 58, 0}));
    EXPECT_EQ(std::get<std::int64_t>(values[6]), 1);
    EXPECT_EQ(std::get<double>(values[7]), 5.0);
}

TEST_F(FirebirdWrapperTest, ValuesOfEachTypeAreWrittenAsThey) {
    insert({"Ratio", "Money", "Born", "Seen", "Alarm"},
           {3.25, engine::fb::Scaled{-15, 1}, engine::fb::Date{1899, 12, 30},
            engine::fb::Timestamp{{2026, 12, 31, 23, 59, 59}, 5}, engine::fb::Time{7, 8, 9, 0}});
    EXPECT_EQ(read("SELECT Ratio FROM Sample"), "3.25");
    EXPECT_EQ(read("SELECT Money FROM Sample"), "-1.5000");
    EXPECT_EQ(read("SELECT Born FROM Sample"), "30.12.1899");
    EXPECT_EQ(read("SELECT CAST(Seen AS VARCHAR(30)) FROM Sample"), "2026-12-31 23:59:59.0005");
    EXPECT_EQ(read("SELECT Alarm FROM Sample"), "07:08:09");
}

TEST_F(FirebirdWrapperTest, ADayTheCalendarDoesNotHaveIsRefusedNotMovedToAnother) {
    const engine::fb::Date days[] = {{2023, 2, 29}, {2024, 2, 30}, {2024, 4, 31}, {2024, 13, 1},
                                     {2024, 0, 10}, {2024, 1, 0},  {0, 1, 1},     {10000, 1, 1}};
    for (const auto& day : days) {
        SCOPED_TRACE(std::to_string(day.year) + "-" + std::to_string(day.month) + "-" + std::to_string(day.day));
        EXPECT_THROW(insert({"Born"}, {day}), FbError);
        module->IBTrWrite.rollback();
        EXPECT_THROW(insert({"Seen"}, {engine::fb::Timestamp{{day.year, day.month, day.day, 12, 0, 0}}}), FbError);
        module->IBTrWrite.rollback();
    }
    EXPECT_EQ(read("SELECT COUNT(*) FROM Sample"), "0");
    insert({"Born", "Seen"}, {engine::fb::Date{2024, 2, 29}, engine::fb::Timestamp{{9999, 12, 31, 23, 59, 59}}});
    EXPECT_EQ(read("SELECT Born FROM Sample"), "29.02.2024");
    EXPECT_EQ(read("SELECT Seen FROM Sample"), "31.12.9999 23:59:59");
}

TEST_F(FirebirdWrapperTest, TheJournalOfAConvertedDatabaseReadsWhole) {
    write("INSERT INTO log_Upgrade (uTime, uVersion) VALUES ('10.12.2026 14:33:47', 'Base 8.0.0')");
    auto& query = module->IBQueryRead;
    query.SQL = {"SELECT kodLog, uTime, uVersion FROM log_Upgrade"};
    query.open();
    ASSERT_FALSE(query.eof());
    EXPECT_EQ(query.fieldAsInteger(0), 1);
    EXPECT_EQ(query.fieldAsString(1), "10.12.2026 14:33:47");
    EXPECT_EQ(query.fieldAsString(2), "Base 8.0.0");
    query.close();
}

TEST_F(FirebirdWrapperTest, AParameterWithoutAValueFails) {
    Statement statement(module->IBTrWrite, {"UPDATE Sample SET Name = :p0 WHERE Id = :p1"});
    EXPECT_THROW(statement.execute({std::string("a")}), FbError);
    auto& query = module->IBQueryWrite;
    query.SQL = {"UPDATE Sample SET Name = :p1 WHERE Id = :p2"};
    query.Params = {std::string("unused"), std::string("a")};
    EXPECT_THROW(query.execute(), FbError);
}

TEST_F(FirebirdWrapperTest, AStatementPreparedOnceRunsWithValuesOfEveryLength) {
    int prepared = 0;
    engine::fb::setStatementTrace([&](const std::string&) { ++prepared; });
    Statement insertRow(module->IBTrWrite, {"INSERT INTO Sample (Id, Name, Memo)", "VALUES (:p0, :p1, :p2)"});
    const std::vector<std::string> names = {"", "a", "жжжжжжжжжж", "0123456789"};
    for (int i = 0; i < 400; ++i) {
        const std::string& name = names[static_cast<size_t>(i) % names.size()];
        insertRow.execute({std::int64_t{i}, name, std::string(static_cast<size_t>(i) * 37, 'x')});
    }
    insertRow.execute({std::int64_t{400}, SqlValue{}, SqlValue{}});
    module->IBTrWrite.commit();
    engine::fb::setStatementTrace(nullptr);
    EXPECT_EQ(prepared, 1);
    EXPECT_EQ(read("SELECT COUNT(*) FROM Sample"), "401");
    EXPECT_EQ(read("SELECT Name FROM Sample WHERE Id = 2"), "жжжжжжжжжж");
    EXPECT_EQ(read("SELECT OCTET_LENGTH(Memo) FROM Sample WHERE Id = 399"), std::to_string(399 * 37));
    EXPECT_EQ(read("SELECT COUNT(*) FROM Sample WHERE Id = 400 AND Name IS NULL AND Memo IS NULL"), "1");
}

TEST_F(FirebirdWrapperTest, TextsBecomeNumbersAndDatesAsFirebirdConvertsThem) {
    Statement update(module->IBTrWrite, {"INSERT INTO Sample (Id, Ratio, Born)", "VALUES (:p0, :p1, :p2)"});
    update.execute({std::string("7"), std::string("2.75"), std::string("01.02.2003")});
    EXPECT_THROW(update.execute({std::string("seven"), std::string("1"), std::string("01.02.2003")}), FbError);
    module->IBTrWrite.commit();
    EXPECT_EQ(read("SELECT Ratio FROM Sample WHERE Id = 7"), "2.75");
    EXPECT_EQ(read("SELECT Born FROM Sample WHERE Id = 7"), "01.02.2003");
}

TEST_F(FirebirdWrapperTest, IntegersRefuseFractionsAndNumbersReadAsDoubles) {
    EXPECT_EQ(engine::fb::integerOf(engine::fb::Scaled{1200, 2}), 12);
    EXPECT_THROW(engine::fb::integerOf(engine::fb::Scaled{1250, 2}), FbError);
    EXPECT_THROW(engine::fb::integerOf(2.5), FbError);
    EXPECT_EQ(engine::fb::integerOf(SqlValue{}), 0);
    EXPECT_EQ(engine::fb::doubleOf(engine::fb::Scaled{-35, 1}), -3.5);
    EXPECT_EQ(engine::fb::doubleOf(std::string(" 2.5 ")), 2.5);
    EXPECT_THROW(engine::fb::doubleOf(std::string("2,5")), FbError);
}

} // namespace
