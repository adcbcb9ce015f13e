#include "EngineFixture.h"

#include "engine/ColumnType.h"
#include "engine/firebird/FbStatus.h"

#include <algorithm>
#include <stdexcept>

namespace {

// Probes may ask the catalogue; anything else would be a change.
bool onlyCatalogueReads(const std::vector<std::string>& sent) {
    return std::all_of(sent.begin(), sent.end(), [](const std::string& text) {
        return text.rfind("SELECT", 0) == 0 && text.find("RDB$") != std::string::npos;
    });
}

std::vector<std::string> changes(const std::vector<std::string>& sent) {
    std::vector<std::string> result;
    std::copy_if(sent.begin(), sent.end(), std::back_inserter(result),
                 [](const std::string& text) { return text.rfind("SELECT", 0) != 0; });
    return result;
}

std::string expanded(std::string code) {
    engine::fc_ColumnType(code);
    return code;
}

} // namespace

TEST(ColumnTypeTest, CodesExpandAndFullTypesPassThrough) {
    const std::pair<const char*, const char*> cases[] = {
        {"b1", "BLOB SUB_TYPE 1"},
        {"d", "DATE"},
        {"e", "TIME"},
        {"f", "FLOAT"},
        {"g", "BIGINT"},
        {"i", "INTEGER"},
        {"m2", "NUMERIC(12,2)"},
        {"n3", "NUMERIC(8,3)"},
        {"p", "TIMESTAMP"},
        {"s", "SMALLINT"},
        {"t1", "VARCHAR(1)"},
        {"t32", "VARCHAR(32)"},
        {"t255", "VARCHAR(255)"},
        {"z4", "NUMERIC(18,4)"},
        {"INTEGER", "INTEGER"},
        {"m23", "NUMERIC(12,2)"},
        {"int", "INTEGER"},
        // A code letter in lower case wins over a full type.
        {"double precision", "DATE"},
    };
    for (const auto& [code, type] : cases) {
        EXPECT_EQ(expanded(code), type) << code;
    }
}

TEST(ColumnTypeTest, AnEmptyTextOrACodeWithoutItsCharacterIsRefused) {
    for (const char* code : {"", "m", "b", "n", "z", "t"}) {
        EXPECT_THROW(expanded(code), std::invalid_argument) << '"' << code << '"';
    }
}

class ColumnOperationsTest : public EngineTest {
protected:
    // Grelto holds no application tables, so the fixture's own tables go there.
    void SetUp() override {
        sql("Grelto",
            "CREATE TABLE DE (NOM INTEGER, NumberProduct INTEGER, NumberElement INTEGER, Structure VARCHAR(40), "
            "NameDE VARCHAR(40), A INTEGER, B INTEGER, dDate DATE, tTime TIME, pStamp TIMESTAMP);\n"
            "INSERT INTO DE (NOM, NameDE, A) VALUES (1, 'a', 10);\n"
            "INSERT INTO DE (NOM, NameDE, A) VALUES (2, 'b', 20);\n"
            "INSERT INTO DE (NOM, NameDE, A) VALUES (3, 'c', 30);");
        ASSERT_TRUE(open("Grelto"));
    }
    std::string position(const std::string& table, const std::string& column) {
        return read("SELECT RDB$FIELD_POSITION FROM RDB$RELATION_FIELDS WHERE RDB$RELATION_NAME = '" + table +
                    "' AND RDB$FIELD_NAME = '" + column + "'");
    }
    std::string fieldType(const std::string& table, const std::string& column) {
        return read("SELECT F.RDB$FIELD_TYPE || '/' || F.RDB$FIELD_LENGTH || '/' || COALESCE(F.RDB$FIELD_SUB_TYPE, 0) "
                    "FROM RDB$RELATION_FIELDS R JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = R.RDB$FIELD_SOURCE "
                    "WHERE R.RDB$RELATION_NAME = '" +
                    table + "' AND R.RDB$FIELD_NAME = '" + column + "'");
    }
    // A table T whose key KodT comes from GEN_T through BI_T.
    void keyedTable(int generatorValue) {
        write("CREATE TABLE T (KodT INTEGER, NameT VARCHAR(20))");
        write("INSERT INTO T VALUES (12, 'x')");
        write("INSERT INTO T VALUES (40, 'y')");
        write("CREATE GENERATOR GEN_T");
        write("SET GENERATOR GEN_T TO " + std::to_string(generatorValue));
        write("CREATE TRIGGER BI_T FOR T ACTIVE BEFORE INSERT POSITION 0 AS BEGIN "
              "IF (NEW.KodT IS NULL) THEN NEW.KodT = GEN_ID(GEN_T, 1); END");
    }
};

TEST_F(ColumnOperationsTest, AnAddedColumnIsMovedToItsPosition) {
    recordStatements();
    module->fc_ColumnAdd("DE", "KodDE", "i", 5);
    EXPECT_EQ(engine::KolvoStep, 1);
    EXPECT_EQ(changes(sent), (std::vector<std::string>{"ALTER TABLE DE\nADD KodDE INTEGER",
                                                       "ALTER TABLE DE\nALTER COLUMN KodDE\nPOSITION 5"}));
    EXPECT_EQ(position("DE", "KODDE"), "4");

    recordStatements();
    module->fc_ColumnAdd("de", "koddE", "t255", 2);
    EXPECT_EQ(engine::KolvoStep, 2);
    EXPECT_TRUE(onlyCatalogueReads(sent));
    EXPECT_EQ(fieldType("DE", "KODDE"), "8/4/0");
}

TEST_F(ColumnOperationsTest, PositionZeroLeavesTheColumnAtTheEnd) {
    recordStatements();
    module->fc_ColumnAdd("DE", "Memo", "b1", 0);
    module->fc_ColumnAdd("DE", "Code", "t255", -1);
    module->fc_ColumnAdd("DE", "Kind", "INTEGER", 0);
    EXPECT_EQ(engine::KolvoStep, 3);
    EXPECT_EQ(changes(sent),
              (std::vector<std::string>{"ALTER TABLE DE\nADD Memo BLOB SUB_TYPE 1",
                                        "ALTER TABLE DE\nADD Code VARCHAR(255)", "ALTER TABLE DE\nADD Kind INTEGER"}));
    EXPECT_EQ(position("DE", "MEMO"), "10");
    EXPECT_EQ(position("DE", "CODE"), "11");
    EXPECT_EQ(position("DE", "KIND"), "12");
    EXPECT_EQ(fieldType("DE", "MEMO"), "261/8/1");
    EXPECT_EQ(fieldType("DE", "CODE"), "37/255/0");
    EXPECT_EQ(fieldType("DE", "KIND"), "8/4/0");
}

TEST_F(ColumnOperationsTest, AColumnThatCannotBeAddedCountsNothing) {
    recordStatements();
    module->fc_ColumnAdd("NoSuchTable", "KodDE", "i", 5);
    module->fc_ColumnAdd("DE", "Price", "m", 0);
    module->fc_ColumnAdd("DE", "Price", "", 0);
    EXPECT_EQ(engine::KolvoStep, 0);
    EXPECT_EQ(changes(sent), std::vector<std::string>{"ALTER TABLE NoSuchTable\nADD KodDE INTEGER"});
    EXPECT_FALSE(module->control_Column("DE", "Price"));
}

TEST_F(ColumnOperationsTest, AFailedMoveStillCountsTheAddedColumn) {
    engine::fb::setStatementTrace([](const std::string& text) {
        if (text.find("POSITION") != std::string::npos) {
            throw engine::fb::FbError("refused");
        }
    });
    module->fc_ColumnAdd("DE", "Extra", "i", 2);
    engine::fb::setStatementTrace(nullptr);
    EXPECT_EQ(engine::KolvoStep, 1);
    EXPECT_EQ(position("DE", "EXTRA"), "10");
}

TEST_F(ColumnOperationsTest, APositionPastTheEndIsPassedAsGiven) {
    recordStatements();
    module->fc_ColumnAdd("DE", "Extra", "i", 99);
    EXPECT_EQ(changes(sent).back(), "ALTER TABLE DE\nALTER COLUMN Extra\nPOSITION 99");
    EXPECT_EQ(engine::KolvoStep, 1);
    EXPECT_TRUE(module->control_Column("DE", "Extra"));
}

TEST_F(ColumnOperationsTest, AColumnIsDroppedOrFoundGone) {
    module->fc_ColumnDelete("DE", "Structure");
    EXPECT_EQ(engine::KolvoStep, 1);
    EXPECT_FALSE(module->control_Column("DE", "Structure"));

    recordStatements();
    module->fc_ColumnDelete("DE", "Structure");
    module->fc_ColumnDelete("NoSuchTable", "Structure");
    EXPECT_EQ(engine::KolvoStep, 3);
    EXPECT_TRUE(onlyCatalogueReads(sent));
}

TEST_F(ColumnOperationsTest, AColumnAViewNeedsStaysAndCountsNothing) {
    write("CREATE VIEW DE_View AS SELECT NameDE FROM DE");
    module->fc_ColumnDelete("DE", "NameDE");
    EXPECT_EQ(engine::KolvoStep, 0);
    EXPECT_TRUE(module->control_Column("DE", "NameDE"));
}

TEST_F(ColumnOperationsTest, ATypeIsChangedOrTheMissingColumnCounted) {
    recordStatements();
    module->fc_ColumnPereType("DE", "Structure", "t255");
    EXPECT_EQ(engine::KolvoStep, 1);
    EXPECT_EQ(changes(sent), std::vector<std::string>{"ALTER TABLE DE\nALTER COLUMN Structure TYPE VARCHAR(255)"});
    EXPECT_EQ(fieldType("DE", "STRUCTURE"), "37/255/0");

    recordStatements();
    module->fc_ColumnPereType("DE", "KindOpen", "i");
    EXPECT_EQ(engine::KolvoStep, 2);
    EXPECT_TRUE(onlyCatalogueReads(sent));
}

TEST_F(ColumnOperationsTest, ARefusedTypeChangeCountsNothing) {
    module->fc_ColumnPereType("DE", "NameDE", "t10");
    EXPECT_EQ(engine::KolvoStep, 0);
    EXPECT_EQ(fieldType("DE", "NAMEDE"), "37/40/0");
}

TEST_F(ColumnOperationsTest, AnEmptyTypeReachesTheCaller) {
    EXPECT_THROW(module->fc_ColumnPereType("DE", "NameDE", ""), std::invalid_argument);
    EXPECT_EQ(engine::KolvoStep, 0);
    // For a missing column the type is never looked at.
    module->fc_ColumnPereType("DE", "KindOpen", "");
    EXPECT_EQ(engine::KolvoStep, 1);
}

TEST_F(ColumnOperationsTest, MovingAColumnNeverCounts) {
    module->fc_ColumnPereNumber("DE", "NameDE", 1);
    EXPECT_EQ(position("DE", "NAMEDE"), "0");
    recordStatements();
    module->fc_ColumnPereNumber("DE", "KindOpen", 1);
    EXPECT_TRUE(onlyCatalogueReads(sent));
    module->fc_ColumnPereNumber("DE", "NameDE", -3);
    EXPECT_EQ(position("DE", "NAMEDE"), "0");
    EXPECT_EQ(engine::KolvoStep, 0);
}

TEST_F(ColumnOperationsTest, RenamingTheKeyColumnKeepsItsSequence) {
    keyedTable(57);
    module->fc_ColumnPereName("T", "KodT", "KodNew");
    EXPECT_EQ(engine::KolvoStep, 1);
    EXPECT_FALSE(module->control_Column("T", "KodT"));
    EXPECT_TRUE(module->control_Column("T", "KodNew"));
    EXPECT_EQ(read("SELECT GEN_ID(GEN_T, 0) FROM RDB$DATABASE"), "57");
    write("INSERT INTO T (NameT) VALUES ('z')");
    EXPECT_EQ(read("SELECT KodNew FROM T WHERE NameT = 'z'"), "58");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ColumnOperationsTest, RenamingAnotherColumnLeavesTheKeyAlone) {
    keyedTable(57);
    const std::string source = read("SELECT RDB$TRIGGER_SOURCE FROM RDB$TRIGGERS WHERE RDB$TRIGGER_NAME = 'BI_T'");
    recordStatements();
    module->fc_ColumnPereName("T", "NameT", "Title");
    EXPECT_EQ(engine::KolvoStep, 1);
    EXPECT_EQ(changes(sent), std::vector<std::string>{"ALTER TABLE T\nALTER COLUMN NameT TO Title"});
    EXPECT_TRUE(module->control_Column("T", "Title"));
    EXPECT_EQ(read("SELECT RDB$TRIGGER_SOURCE FROM RDB$TRIGGERS WHERE RDB$TRIGGER_NAME = 'BI_T'"), source);
    EXPECT_EQ(read("SELECT GEN_ID(GEN_T, 0) FROM RDB$DATABASE"), "57");
}

TEST_F(ColumnOperationsTest, RenamingAMissingColumnIsCountedWithoutAStatement) {
    recordStatements();
    module->fc_ColumnPereName("DE", "NumberHandle", "NumberHandleIn");
    EXPECT_EQ(engine::KolvoStep, 1);
    EXPECT_TRUE(onlyCatalogueReads(sent));
}

TEST_F(ColumnOperationsTest, ARenameOntoAnExistingNameCountsNothing) {
    module->fc_ColumnPereName("DE", "NameDE", "Structure");
    EXPECT_EQ(engine::KolvoStep, 0);
    EXPECT_TRUE(module->control_Column("DE", "NameDE"));
}

TEST_F(ColumnOperationsTest, AnUnreadableGeneratorGoesOnFromTheHighestKey) {
    keyedTable(5);
    const std::string readValue = "SELECT GEN_ID (GEN_T, 0) FROM RDB$DATABASE";
    engine::fb::setStatementTrace([&](const std::string& text) {
        if (text == readValue) {
            throw engine::fb::FbError("no permission for USAGE access to GENERATOR GEN_T");
        }
    });
    module->fc_ColumnPereName("T", "KodT", "KodNew");
    engine::fb::setStatementTrace(nullptr);
    EXPECT_EQ(engine::KolvoStep, 1);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], installation.database("Grelto") + "\r\r" + readValue);
    EXPECT_EQ(read("SELECT GEN_ID(GEN_T, 0) FROM RDB$DATABASE"), "40");
    write("INSERT INTO T (NameT) VALUES ('z')");
    EXPECT_EQ(read("SELECT KodNew FROM T WHERE NameT = 'z'"), "41");
}

TEST_F(ColumnOperationsTest, AnUnreadableGeneratorOfAnEmptyTableStartsAtZero) {
    keyedTable(5);
    write("DELETE FROM T");
    engine::fb::setStatementTrace([](const std::string& text) {
        if (text.rfind("SELECT GEN_ID", 0) == 0) {
            throw engine::fb::FbError("unreadable");
        }
    });
    module->fc_ColumnPereName("T", "KodT", "KodNew");
    engine::fb::setStatementTrace(nullptr);
    EXPECT_EQ(engine::KolvoStep, 1);
    EXPECT_EQ(read("SELECT GEN_ID(GEN_T, 0) FROM RDB$DATABASE"), "0");
}

TEST_F(ColumnOperationsTest, AValueIsWrittenToEveryRowOrToTheFilteredOnes) {
    recordStatements();
    module->ft_TableWriteColumnValue("DE", "B", "1", "");
    EXPECT_EQ(engine::KolvoStep, 1);
    EXPECT_EQ(changes(sent), std::vector<std::string>{"UPDATE DE\nSET B = :p0"});
    EXPECT_EQ(read("SELECT COUNT(*) FROM DE WHERE B = 1"), "3");
    module->ft_TableWriteColumnValue("DE", "NameDE", "-1", "WHERE NOM = 2");
    EXPECT_EQ(engine::KolvoStep, 2);
    EXPECT_EQ(read("SELECT NameDE FROM DE WHERE NOM = 2"), "-1");
    EXPECT_EQ(read("SELECT NameDE FROM DE WHERE NOM = 3"), "c");
}

TEST_F(ColumnOperationsTest, DateColumnsTakeDayNumbersAndDates) {
    module->ft_TableWriteColumnValue("DE", "dDate", "0", "");
    EXPECT_EQ(read("SELECT dDate FROM DE WHERE NOM = 1"), "30.12.1899");
    module->ft_TableWriteColumnValue("DE", "dDate", "-1", "WHERE NOM = 2");
    EXPECT_EQ(read("SELECT dDate FROM DE WHERE NOM = 2"), "29.12.1899");
    module->ft_TableWriteColumnValue("de", "ddate", "15.03.2024", "WHERE NOM = 3");
    EXPECT_EQ(read("SELECT dDate FROM DE WHERE NOM = 3"), "15.03.2024");
    module->ft_TableWriteColumnValue("DE", "pStamp", "45366.5", "");
    EXPECT_EQ(read("SELECT CAST(pStamp AS VARCHAR(30)) FROM DE WHERE NOM = 1"), "2024-03-15 12:00:00.0000");
    module->ft_TableWriteColumnValue("DE", "tTime", "0", "");
    EXPECT_EQ(read("SELECT CAST(tTime AS VARCHAR(20)) FROM DE WHERE NOM = 1"), "00:00:00.0000");
    EXPECT_EQ(engine::KolvoStep, 5);
}

// Texts other than day numbers are Firebird's to convert, as it converts any text to a date.
TEST_F(ColumnOperationsTest, DateTextsGoToFirebirdsOwnConversion) {
    const struct {
        const char* column;
        const char* value;
        const char* stored;
    } cases[] = {
        {"dDate", "2024-01-15", "15.01.2024"},
        {"dDate", "15.01.2024", "15.01.2024"},
        {"pStamp", "15.01.2024 10:30", "15.01.2024 10:30:00"},
        {"pStamp", "2024-01-15 23:59:58", "15.01.2024 23:59:58"},
        {"tTime", "10:30", "10:30:00"},
    };
    for (const auto& c : cases) {
        engine::KolvoStep = 0;
        module->ft_TableWriteColumnValue("DE", c.column, c.value, "WHERE NOM = 1");
        EXPECT_EQ(engine::KolvoStep, 1) << c.value;
        EXPECT_EQ(read(std::string("SELECT ") + c.column + " FROM DE WHERE NOM = 1"), c.stored) << c.value;
    }
    engine::KolvoStep = 0;
    module->ft_TableWriteColumnValue("DE", "dDate", "TODAY", "WHERE NOM = 2");
    EXPECT_EQ(engine::KolvoStep, 1);
    EXPECT_EQ(read("SELECT COUNT(*) FROM DE WHERE NOM = 2 AND dDate = CURRENT_DATE"), "1");
}

TEST_F(ColumnOperationsTest, AValueThatFitsNoDateCountsNothing) {
    for (const char* value : {"abc", "", "31.02.2024", "1e3", "99999999", "-9999999"}) {
        module->ft_TableWriteColumnValue("DE", "dDate", value, "");
        EXPECT_EQ(engine::KolvoStep, 0) << value;
    }
    EXPECT_EQ(read("SELECT COUNT(*) FROM DE WHERE dDate IS NOT NULL"), "0");
}

TEST_F(ColumnOperationsTest, AWriteFirebirdRefusesCountsNothing) {
    module->ft_TableWriteColumnValue("DE", "B", "abc", "");
    module->ft_TableWriteColumnValue("DE", "NoSuchColumn", "1", "");
    module->ft_TableWriteColumnValue("NoSuchTable", "B", "1", "");
    EXPECT_EQ(engine::KolvoStep, 0);
}

TEST_F(ColumnOperationsTest, AColumnIsCopiedIntoAnother) {
    recordStatements();
    module->ft_TableReWriteColumn("DE", "A", "B", "");
    EXPECT_EQ(engine::KolvoStep, 1);
    EXPECT_EQ(changes(sent), std::vector<std::string>{"UPDATE DE\nSET B = A"});
    EXPECT_EQ(read("SELECT COUNT(*) FROM DE WHERE B = A"), "3");

    write("UPDATE DE SET A = A + 1");
    module->ft_TableReWriteColumn("DE", "A", "B", "WHERE NOM = 1");
    EXPECT_EQ(read("SELECT B FROM DE WHERE NOM = 1"), "11");
    EXPECT_EQ(read("SELECT B FROM DE WHERE NOM = 2"), "20");

    module->ft_TableReWriteColumn("DE", "NoSuchColumn", "B", "");
    EXPECT_EQ(engine::KolvoStep, 2);
}
