#include "EngineFixture.h"

#include "engine/Operations.h"
#include "engine/PackFrame.h"
#include "engine/PackToolkit.h"
#include "engine/firebird/SqlText.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <cstdlib>
#include <regex>

namespace {

using engine::OnFailure;
using engine::Row;

TEST(LineListTest, LinesBreakAtEveryKindOfLineEnd) {
    const struct {
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"12", {"12"}},
        {"12\r\nabc\r0\n12", {"12", "abc", "0", "12"}},
        {"a\r\n", {"a"}},
        {"a\n\nb", {"a", "", "b"}},
        {"a\r\rb\r", {"a", "", "b"}},
        {"\n", {""}},
        {" a \r\n b ", {" a ", " b "}},
        {"a\n\r\nb", {"a", "", "b"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(engine::splitLines(c.text), c.lines) << c.text;
    }
}

TEST(LineListTest, OnlyWholeNumbersAreNumbers) {
    EXPECT_EQ(engine::lineAsInteger("12", 0), 12);
    EXPECT_EQ(engine::lineAsInteger("-5", 0), -5);
    for (const char* line : {"abc", "", " 12", "12 ", "1.5", "12abc", "99999999999"}) {
        EXPECT_EQ(engine::lineAsInteger(line, -1), -1) << line;
    }
}

TEST(PlainIdentifierTest, NamesCarryNoSql) {
    for (const char* name : {"stock_Group", "KODCAPITAL ", "RDB$RELATIONS", "T1"}) {
        EXPECT_NO_THROW(engine::fb::plainIdentifier(name)) << name;
    }
    for (const char* name : {"", " ", "1T", "T; DROP TABLE X", "a b", "\"Quoted\"", "Таблица", "T--",
                             "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345"}) {
        EXPECT_THROW(engine::fb::plainIdentifier(name), std::invalid_argument) << name;
    }
}

class PackToolkitTest : public EngineTest {
protected:
    void SetUp() override {
        sql("Orders", "CREATE TABLE Item (Id INTEGER, Name VARCHAR(20));\n"
                      "INSERT INTO Item VALUES (1, 'один');\nINSERT INTO Item VALUES (2, 'два');\n"
                      "INSERT INTO Item VALUES (3, NULL);");
        ASSERT_TRUE(open("Orders"));
    }
    std::string eventLog() {
        std::string text;
        platform::readWholeFile(environment::kvSetting.KVFile.FileRegister, text);
        return text;
    }
};

TEST_F(PackToolkitTest, AReadWalksEveryRowInTheOrderTheyArrive) {
    std::vector<std::pair<std::int64_t, std::string>> items;
    EXPECT_TRUE(engine::readRows(
        *module, module->IBTrRead, {"SELECT Id, Name", "FROM Item", "WHERE Id >= :p0", "ORDER BY 1"},
        [&](const Row& row) { items.emplace_back(engine::integerField(row, 0), engine::textField(row, 1)); },
        OnFailure::RollBack, {std::int64_t{2}}));
    EXPECT_EQ(items, (std::vector<std::pair<std::int64_t, std::string>>{{2, "два"}, {3, ""}}));
    EXPECT_FALSE(module->IBTrRead.active());
}

TEST_F(PackToolkitTest, AFailingWriteKeepsOrDropsWhatItDidAsItsRuleSays) {
    for (const OnFailure rule : {OnFailure::RollBack, OnFailure::Commit}) {
        ui.innerVisible = true;
        const bool written = engine::writeRows(
            *module, {"UPDATE Item", "SET Name = :p0", "WHERE Id = :p1"},
            [](engine::fb::Statement& update) {
                update.execute({std::string("first"), std::int64_t{1}});
                update.execute({std::string("far too long for the column"), std::int64_t{2}});
            },
            rule);
        EXPECT_FALSE(written);
        EXPECT_FALSE(ui.innerVisible) << "the inner gauge is hidden after a failure";
        EXPECT_FALSE(module->IBTrWrite.active());
        EXPECT_EQ(read("SELECT Name FROM Item WHERE Id = 1"), rule == OnFailure::Commit ? "first" : "один");
        EXPECT_EQ(read("SELECT Name FROM Item WHERE Id = 2"), "два");
    }
    EXPECT_NE(eventLog().find("*493 zuruzod 8e: " + installation.database("Orders") +
                              ": UPDATE Item | SET Name = :p0 | WHERE Id = :p1: "),
              std::string::npos)
        << eventLog();
}

TEST_F(PackToolkitTest, AFailingReadEndsItsTransactionAsItsRuleSays) {
    for (const OnFailure rule : {OnFailure::RollBack, OnFailure::Commit}) {
        int rows = 0;
        // Reads in the write transaction, as some packs do; the second row fails to convert.
        write("UPDATE Item SET Name = 'x' WHERE Id = 3");
        module->IBTrWrite.start();
        module->IBQueryWrite.SQL = {"UPDATE Item SET Name = 'pending' WHERE Id = 3"};
        module->IBQueryWrite.execute();
        EXPECT_FALSE(engine::readRows(
            *module, module->IBTrWrite, {"SELECT Id, Name FROM Item ORDER BY 1"},
            [&](const Row& row) {
                ++rows;
                engine::integerField(row, 1);
            },
            rule));
        EXPECT_EQ(rows, 1);
        EXPECT_FALSE(module->IBTrWrite.active());
        EXPECT_EQ(read("SELECT Name FROM Item WHERE Id = 3"), rule == OnFailure::Commit ? "pending" : "x");
    }
}

TEST_F(PackToolkitTest, APartCanEndItselfOrTheWholePack) {
    std::vector<std::string> ran;
    auto step = [&](const std::string& name, engine::Flow flow) {
        return engine::Operation{1, [&ran, name, flow](engine::TDM1&) {
                                     ran.push_back(name);
                                     engine::inc_KolvoStep(1);
                                     return flow;
                                 }};
    };
    const engine::PackTable endsPart{
        .number = 7,
        .required = engine::RequiredStamp{8, 0, 0, -1},
        .databases = {
            {engine::Slot::Base, {step("Base 1", engine::Flow::EndPart), step("Base 2", engine::Flow::Next)}},
            {engine::Slot::Config, {step("Config 1", engine::Flow::Next)}},
        }};
    EXPECT_FALSE(engine::runPack(*module, endsPart));
    EXPECT_EQ(ran, (std::vector<std::string>{"Base 1", "Config 1"}));
    // The failure rows of the journal count no steps.
    EXPECT_EQ(engine::KolvoStep, 2);
    ASSERT_TRUE(open("Base"));
    EXPECT_EQ(read("SELECT COUNT(*) FROM log_Upgrade WHERE uVersion = 'Base 8.0.7 - Error 8.0.7.3.2'"), "1");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "Что-то пошло не так\r01\rОбратитесь к разработчику\r\rСообщите код: 8.0.7.3.2\r");

    ran.clear();
    ui.messages.clear();
    engine::KolvoStep = 0;
    const engine::PackTable endsPack{.number = 7,
                                     .required = engine::RequiredStamp{8, 0, 0, -1},
                                     .databases = {
                                         {engine::Slot::Base, {step("Base 1", engine::Flow::EndPack)}},
                                         {engine::Slot::Config, {step("Config 1", engine::Flow::Next)}},
                                     }};
    EXPECT_FALSE(engine::runPack(*module, endsPack));
    EXPECT_EQ(ran, std::vector<std::string>{"Base 1"});
    EXPECT_EQ(engine::KolvoStep, 1) << "no journal walk";
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(module->IBDatabase1.connected());
}

TEST_F(PackToolkitTest, APartWeighsTheStepsOfItsRows) {
    namespace op = engine::op;
    const engine::Part part = {op::fc_ColumnAdd("Item", "Kod", "i", 1), op::fc_ColumnPereNumber("Item", "Kod", 2),
                               op::ft_TableDelete("Gone"), engine::Operation{5, {}}};
    EXPECT_EQ(engine::weightOf(part), 7);
    engine::PackTable pack;
    pack.databases = {{engine::Slot::Base, part}, {engine::Slot::Price, {}}};
    EXPECT_EQ(engine::KolvoSP(pack), 7);
}

TEST_F(PackToolkitTest, AnOperationOnANameThatIsNoNameFailsBeforeAnythingRuns) {
    recordStatements();
    EXPECT_THROW(module->fc_ColumnAdd("Item; DROP TABLE Item", "Kod", "i", 0), std::invalid_argument);
    EXPECT_THROW(module->ft_TableWriteColumnValue("Item", "Name = 'x', Id", "1", ""), std::invalid_argument);
    EXPECT_THROW(module->ft_TableDelete("Item--"), std::invalid_argument);
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(engine::KolvoStep, 0);
}

TEST_F(PackToolkitTest, OnRequestTheFrameTellsHowLongEachPartTook) {
    const engine::PackTable pack{.number = 7,
                                 .required = engine::RequiredStamp{8, 0, 0, -1},
                                 .databases = {{engine::Slot::Base, {}}, {engine::Slot::Price, {}}}};
    ASSERT_EQ(setenv("ZURUZOD_PART_TIMES", "1", 1), 0);
    ::testing::internal::CaptureStderr();
    engine::runPack(*module, pack);
    const std::string told = ::testing::internal::GetCapturedStderr();
    unsetenv("ZURUZOD_PART_TIMES");

    EXPECT_TRUE(std::regex_search(told, std::regex("^pack 8\\.00\\.07 Base: \\d+\\.\\d{3} s\n"
                                                   "pack 8\\.00\\.07 Price: \\d+\\.\\d{3} s\n"
                                                   "pack 8\\.00\\.07 journal: \\d+\\.\\d{3} s\n"
                                                   "pack 8\\.00\\.07 total: \\d+\\.\\d{3} s\n$")))
        << told;

    ::testing::internal::CaptureStderr();
    engine::runPack(*module, pack);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

// A name fill over names that match in every way the database knows: the same
// name twice in the list, another case, a trailing blank, NULL, a name nobody has.
class FilteredWriteTest : public PackToolkitTest {
protected:
    void SetUp() override {
        sql("Orders", "CREATE TABLE Named (Id INTEGER, Name VARCHAR(20), Code INTEGER);\n"
                      "INSERT INTO Named VALUES (1, 'Рама', NULL);\nINSERT INTO Named VALUES (2, 'рама', NULL);\n"
                      "INSERT INTO Named VALUES (3, 'Рама ', NULL);\nINSERT INTO Named VALUES (4, NULL, 9);\n"
                      "INSERT INTO Named VALUES (5, 'Створка', 9);\nINSERT INTO Named VALUES (6, 'Импост', 9);\n"
                      "INSERT INTO Named VALUES (7, '', NULL);");
        ASSERT_TRUE(open("Orders"));
    }
    bool fill(const std::string& table) {
        return engine::writeRowsFilteredBy(*module, table, "Name",
                                           {"UPDATE " + table, "SET", "Code = :p0", "WHERE Name = :p1"},
                                           [](engine::fb::Statement& update) {
                                               update.execute({std::int64_t{1}, std::string("Рама")});
                                               update.execute({std::int64_t{2}, std::string("Створка")});
                                               update.execute({std::int64_t{3}, std::string("Рама")});
                                               update.execute({std::int64_t{4}, std::string("")});
                                               update.execute({std::int64_t{5}, std::string("Нет такого")});
                                           });
    }
    std::vector<std::string> codes(const std::string& table) {
        std::vector<std::string> result;
        for (int id = 1; id <= 7; ++id) {
            result.push_back(read("SELECT COALESCE(Code, -1) FROM " + table + " WHERE Id = " + std::to_string(id)));
        }
        return result;
    }
    std::string temporaryIndexes() {
        return read("SELECT COUNT(*) FROM RDB$INDICES WHERE RDB$INDEX_NAME STARTING WITH 'TMP_'");
    }
    bool sentText(const std::string& text) { return std::find(sent.begin(), sent.end(), text) != sent.end(); }
};

TEST_F(FilteredWriteTest, TheTemporaryIndexChangesNoResult) {
    const std::vector<std::string> expected = {"3", "-1", "3", "9", "2", "9", "4"};

    recordStatements();
    ASSERT_TRUE(fill("Named"));
    EXPECT_TRUE(sentText("CREATE INDEX TMP_NAMED_NAME ON NAMED (NAME)"));
    EXPECT_TRUE(sentText("DROP INDEX TMP_NAMED_NAME"));
    EXPECT_EQ(codes("Named"), expected);

    sql("Orders", "UPDATE Named SET Code = NULL WHERE Id IN (1, 2, 3, 7);\nUPDATE Named SET Code = 9 WHERE Id = 5;");
    ASSERT_TRUE(open("Orders"));
    ASSERT_EQ(setenv("ZURUZOD_LITERAL_STATEMENTS", "1", 1), 0);
    EXPECT_FALSE(engine::speedUps());
    recordStatements();
    const bool literal = fill("Named");
    unsetenv("ZURUZOD_LITERAL_STATEMENTS");
    ASSERT_TRUE(literal);
    for (const auto& text : sent) {
        EXPECT_EQ(text.find("CREATE INDEX"), std::string::npos) << text;
    }
    EXPECT_EQ(codes("Named"), expected);
    EXPECT_EQ(temporaryIndexes(), "0");
}

TEST_F(FilteredWriteTest, AnIndexLeftByAnInterruptedRunIsReusedOrDroppedButNeverKept) {
    for (const bool literal : {false, true}) {
        sql("Orders", "CREATE INDEX TMP_NAMED_NAME ON Named (Name);");
        ASSERT_TRUE(open("Orders"));
        if (literal) {
            ASSERT_EQ(setenv("ZURUZOD_LITERAL_STATEMENTS", "1", 1), 0);
        }
        recordStatements();
        const bool filled = fill("Named");
        unsetenv("ZURUZOD_LITERAL_STATEMENTS");
        EXPECT_TRUE(filled) << literal;
        EXPECT_FALSE(sentText("CREATE INDEX TMP_NAMED_NAME ON NAMED (NAME)")) << literal;
        EXPECT_TRUE(sentText("DROP INDEX TMP_NAMED_NAME")) << literal;
        EXPECT_EQ(temporaryIndexes(), "0") << literal;
        // The column can go now.
        module->fc_ColumnDelete("Named", "Name");
        EXPECT_EQ(engine::KolvoStep, 1) << literal;
        sql("Orders", "ALTER TABLE Named ADD Name VARCHAR(20);");
        engine::KolvoStep = 0;
    }
}

TEST_F(FilteredWriteTest, AColumnThatLeadsAnIndexAlreadyGetsNoOtherIndex) {
    sql("Orders", "CREATE INDEX NAMED_BY_NAME ON Named (Name, Id);");
    ASSERT_TRUE(open("Orders"));
    recordStatements();

    ASSERT_TRUE(fill("Named"));

    for (const auto& text : sent) {
        EXPECT_EQ(text.find("TMP_"), std::string::npos) << text;
    }
}

TEST_F(FilteredWriteTest, AFailedFillStillDropsItsIndex) {
    ui.innerVisible = true;
    const bool filled = engine::writeRowsFilteredBy(
        *module, "Named", "Name", {"UPDATE Named", "SET", "Name = :p0", "WHERE Name = :p1"},
        [](engine::fb::Statement& update) {
            update.execute({std::string("far too long for the column"), std::string("Рама")});
        });

    EXPECT_FALSE(filled);
    EXPECT_FALSE(ui.innerVisible);
    EXPECT_EQ(temporaryIndexes(), "0");
    EXPECT_EQ(read("SELECT Name FROM Named WHERE Id = 1"), "Рама");
}

// Text blobs in the database's own character set are read as VARCHARs when
// their longest value fits one; the texts read are the same either way.
class TextReadingTest : public PackToolkitTest {
protected:
    void SetUp() override {
        sql("Orders", "CREATE TABLE Texts (Id INTEGER, Body BLOB SUB_TYPE 1, Utf BLOB SUB_TYPE 1 CHARACTER SET UTF8, "
                      "Bin BLOB SUB_TYPE 0, Name VARCHAR(10));\n"
                      "INSERT INTO Texts VALUES (1, 'Левая сторона' || ASCII_CHAR(13) || ASCII_CHAR(10) || 'Верх ' "
                      "|| ASCII_CHAR(13), 'ä', NULL, 'Имя');\n"
                      "INSERT INTO Texts VALUES (2, '', NULL, NULL, NULL);\n"
                      "INSERT INTO Texts VALUES (3, NULL, NULL, NULL, NULL);\n"
                      "CREATE TABLE LongTexts (Body BLOB SUB_TYPE 1);\n"
                      "INSERT INTO LongTexts VALUES (LPAD('', 8192, 'ж'));");
        ASSERT_TRUE(open("Orders"));
    }
    std::vector<std::string> texts(const std::string& column) {
        std::vector<std::string> result;
        EXPECT_TRUE(engine::readRows(
            *module, module->IBTrRead, {"SELECT " + column + " FROM Texts ORDER BY Id"},
            [&](const Row& row) {
                result.push_back(engine::fb::isNull(row[0]) ? "<null>" : engine::textField(row, 0));
            },
            OnFailure::RollBack));
        return result;
    }
};

TEST_F(TextReadingTest, ATextBlobThatFitsIsReadAsAVarcharWithTheSameTexts) {
    const std::string body = engine::textColumnForReading(*module, "Texts", "Body");
    EXPECT_EQ(body,
              "CAST(BODY AS VARCHAR(" + read("SELECT MAX(OCTET_LENGTH(Body)) FROM Texts") + ") CHARACTER SET WIN1251)");
    EXPECT_EQ(texts(body), texts("Body"));
    EXPECT_EQ(texts(body)[0], "Левая сторона\r\nВерх \r");
}

TEST_F(TextReadingTest, EverythingElseIsReadAsItIs) {
    for (const char* column : {"Utf", "Bin", "Name", "Missing"}) {
        EXPECT_EQ(engine::textColumnForReading(*module, "Texts", column), column);
    }
    EXPECT_EQ(engine::textColumnForReading(*module, "LongTexts", "Body"), "Body");
    ASSERT_EQ(setenv("ZURUZOD_LITERAL_STATEMENTS", "1", 1), 0);
    const std::string literal = engine::textColumnForReading(*module, "Texts", "Body");
    unsetenv("ZURUZOD_LITERAL_STATEMENTS");
    EXPECT_EQ(literal, "Body");
}

TEST(TemporaryIndexNameTest, NamesFitTheCatalogueAndStayTheSame) {
    EXPECT_EQ(engine::temporaryIndexName("set_SubParameter", "PROFIL"), "TMP_SET_SUBPARAMETER_PROFIL");
    const std::string longer = engine::temporaryIndexName("stanok_Operation", "FURNITURA_NAME");
    EXPECT_EQ(longer.size(), 12u);
    EXPECT_EQ(longer.rfind("TMP_", 0), 0u);
    EXPECT_EQ(engine::temporaryIndexName("STANOK_OPERATION", "furnitura_name"), longer);
    EXPECT_NE(engine::temporaryIndexName("stanok_Operation", "FURNITURA_NAMES"), longer);
    EXPECT_THROW(engine::temporaryIndexName("Named; DROP TABLE Named", "Name"), std::invalid_argument);
}

} // namespace
