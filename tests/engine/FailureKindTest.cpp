// Firebird's failures told apart by what caused them, each made by a real situation.
#include "EngineFixture.h"

#include "engine/firebird/Connection.h"
#include "engine/firebird/Query.h"
#include "engine/firebird/Transaction.h"
#include "platform/FileSystem.h"

#include <cstdio>
#include <fstream>
#include <unistd.h>

namespace {

using engine::fb::Connection;
using engine::fb::FailureKind;
using engine::fb::FbError;
using engine::fb::Query;
using engine::fb::Transaction;

class FailureKindTest : public EngineTest {
protected:
    FailureKind attachFailure(const std::string& path) {
        Connection connection;
        try {
            connection.attach(path, {});
        } catch (const FbError& error) {
            return error.kind();
        }
        ADD_FAILURE() << path << " attached";
        return FailureKind::Other;
    }
};

TEST_F(FailureKindTest, DamagedAndMissingFilesAreToldApart) {
    const std::string folder = installation.layout().kalver800;
    platform::replaceFileContents(folder + "Empty.fdb", "");
    std::string random(100000, '\0');
    for (size_t i = 0; i < random.size(); ++i) {
        random[i] = static_cast<char>(i * 7919 % 251);
    }
    platform::replaceFileContents(folder + "Random.fdb", random);
    std::string base;
    ASSERT_TRUE(platform::readWholeFile(installation.database("Base"), base));
    platform::replaceFileContents(folder + "Truncated.fdb", base.substr(0, base.size() / 3));

    EXPECT_EQ(attachFailure(folder + "Empty.fdb"), FailureKind::Damaged);
    EXPECT_EQ(attachFailure(folder + "Random.fdb"), FailureKind::Damaged);
    EXPECT_EQ(attachFailure(folder + "Truncated.fdb"), FailureKind::Damaged);
    EXPECT_EQ(attachFailure(folder + "Nowhere.fdb"), FailureKind::FileMissing);
}

TEST_F(FailureKindTest, AFileHeldByAnotherProcessIsToldFromADamagedOne) {
    module->CloseDataBase();
    const std::string base = installation.database("Base");
    // isql of the Firebird utilities attaches embedded and holds the file until its input ends;
    // the answer to its first statement says it is in.
    const std::string output = installation.layout().root + "isql.out";
    FILE* holder = popen(("isql-fb -q '" + base + "' >'" + output + "' 2>&1").c_str(), "w");
    ASSERT_NE(holder, nullptr);
    std::fputs("SELECT 'HELD' || 'BY ISQL' FROM RDB$DATABASE;\n", holder);
    std::fflush(holder);
    std::string said;
    for (int attempt = 0; attempt < 200 && said.find("HELDBY ISQL") == std::string::npos; ++attempt) {
        usleep(50000);
        platform::readWholeFile(output, said);
    }
    ASSERT_NE(said.find("HELDBY ISQL"), std::string::npos) << said;
    FailureKind kind = FailureKind::Other;
    Connection connection;
    try {
        connection.attach(base, {});
        ADD_FAILURE() << "a file held by another process attached";
    } catch (const FbError& error) {
        kind = error.kind();
    }
    std::fputs("QUIT;\n", holder);
    pclose(holder);
    EXPECT_EQ(kind, FailureKind::HeldElsewhere);
}

TEST_F(FailureKindTest, AMissingTableAndALockHeldByAnotherTransaction) {
    ASSERT_TRUE(open("Base"));
    try {
        read("SELECT * FROM NoSuchTable");
        ADD_FAILURE() << "a missing table was read";
    } catch (const FbError& error) {
        EXPECT_EQ(error.kind(), FailureKind::MissingObject) << error.what();
    }
    module->IBTrRead.rollback();

    Connection other;
    other.attach(installation.database("Base"), {});
    Transaction holding(other, Transaction::writeParameters());
    Query update(holding);
    update.SQL = {"UPDATE kv_Setting SET Build = 1"};
    update.execute();

    Transaction waitless(module->IBDatabase1, {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed,
                                               isc_tpb_rec_version, isc_tpb_nowait});
    Query conflicting(waitless);
    conflicting.SQL = {"UPDATE kv_Setting SET Build = 2"};
    try {
        conflicting.execute();
        ADD_FAILURE() << "the row was updated under another transaction";
    } catch (const FbError& error) {
        EXPECT_EQ(error.kind(), FailureKind::LockConflict) << error.what();
    }
}

TEST_F(FailureKindTest, AFailedEngineWriteIsExplainedInTheEventLog) {
    ASSERT_TRUE(open("Base"));
    module->ft_TableWriteColumnValue("kv_Setting", "NoSuchColumn", "1", "");
    EXPECT_EQ(engine::KolvoStep, 0);
    EXPECT_TRUE(ui.messages.empty());
    std::string log;
    ASSERT_TRUE(platform::readWholeFile(environment::kvSetting.KVFile.FileRegister, log));
    const auto line = log.find("*493 zuruzod 8e: " + installation.database("Base") +
                               ": UPDATE kv_Setting | SET NoSuchColumn = :p0: ");
    ASSERT_NE(line, std::string::npos) << log;
    EXPECT_NE(log.find("NOSUCHCOLUMN", line), std::string::npos) << log;
    EXPECT_EQ(log.find('\n', line), log.find("\r\n", line) + 1) << "one line per entry";
}

// Writes that fail before anything is sent are explained too, or a short step count would be unexplained.
TEST_F(FailureKindTest, AWriteRefusedBeforeItIsSentIsExplainedInTheEventLog) {
    ASSERT_TRUE(open("Base"));
    // A day number far beyond the year 9999, and a type code that lacks its character.
    module->ft_TableWriteColumnValue("log_Upgrade", "uTime", "3000000", "");
    module->fc_ColumnAdd("kv_Setting", "Extra", "m", 0);
    EXPECT_EQ(engine::KolvoStep, 0);
    EXPECT_TRUE(ui.messages.empty());
    std::string log;
    ASSERT_TRUE(platform::readWholeFile(environment::kvSetting.KVFile.FileRegister, log));
    const std::string base = installation.database("Base");
    EXPECT_NE(log.find("*493 zuruzod 8e: " + base + ": UPDATE log_Upgrade | SET uTime = :p0: 3000000"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("*493 zuruzod 8e: " + base + ": ALTER TABLE kv_Setting | ADD Extra m: "), std::string::npos)
        << log;
}

TEST_F(FailureKindTest, AWriteThatCannotBeginIsNotBlamedOnTheWriteBeforeIt) {
    ASSERT_TRUE(open("Base"));
    module->ft_TableWriteColumnValue("kv_Setting", "Build", "3", "");
    ASSERT_EQ(engine::KolvoStep, 1);
    // The connection goes between two writes, as when the server holding the file goes away.
    module->IBDatabase1.close();
    module->ft_TableRowNULL("Set_Grid", "");
    std::string log;
    ASSERT_TRUE(platform::readWholeFile(environment::kvSetting.KVFile.FileRegister, log));
    EXPECT_EQ(log.find("UPDATE kv_Setting"), std::string::npos) << log;
    EXPECT_NE(log.find("*493 zuruzod 8e: : SET TRANSACTION: the database is not open\r\n"), std::string::npos) << log;
}

} // namespace

TEST_F(FailureKindTest, AWriteWaitsForAHeldLockOnlySoLongAndNamesTheDatabase) {
    Connection other;
    other.attach(installation.database("Base"), {});
    Transaction holding(other, Transaction::writeParameters());
    Query update(holding);
    update.SQL = {"UPDATE kv_Setting SET Build = 1"};
    update.execute();

    const int kept = engine::lockWaitSeconds;
    engine::lockWaitSeconds = 1;
    engine::TDM1 bounded;
    engine::lockWaitSeconds = kept;
    ASSERT_TRUE(bounded.OpenDataBase(installation.database("Base")));
    bounded.fw_Write_Version(8, 0, 3);
    EXPECT_EQ(engine::KolvoStep, 0);
    ASSERT_EQ(ui.runLog.size(), 1u);
    EXPECT_NE(ui.runLog[0].find("База данных занята другим подключением: " + installation.database("Base")),
              std::string::npos);
    holding.rollback();
}
