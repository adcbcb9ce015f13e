#include "EngineFixture.h"

#include "environment/KvSetting.h"
#include "platform/FileSystem.h"

#include <filesystem>

using environment::kvSetting;

class SessionTest : public EngineTest {};

TEST_F(SessionTest, CyrillicTextSurvivesAWin1251Database) {
    const std::string text = "Окно ПВХ «Калвер» — ёлка, Ё, №5";
    sql("Orders", "CREATE TABLE Note (KodNote INTEGER, Txt VARCHAR(60), Memo BLOB SUB_TYPE 1);");
    ASSERT_TRUE(open("Orders"));
    module->IBTrWrite.start();
    module->IBQueryWrite.SQL = {"INSERT INTO Note (KodNote, Txt, Memo)", "VALUES (:p0, :p1, :p1)"};
    module->IBQueryWrite.Params = {std::int64_t{1}, text};
    module->IBQueryWrite.execute();
    module->IBTrWrite.commit();

    ASSERT_TRUE(open("Orders"));
    module->IBQueryRead.SQL = {"SELECT Txt, Memo, CHAR_LENGTH(Txt), OCTET_LENGTH(Txt)", "FROM Note"};
    module->IBQueryRead.open();
    EXPECT_EQ(module->IBQueryRead.fieldAsString(0), text);
    EXPECT_EQ(module->IBQueryRead.fieldAsString(1), text);
    // Stored as one byte a letter, as WIN1251 keeps it.
    EXPECT_EQ(module->IBQueryRead.fieldAsInteger(2), module->IBQueryRead.fieldAsInteger(3));
    module->IBQueryRead.close();
}

TEST_F(SessionTest, TheServerVersionIsReadOnceAProcess) {
    EXPECT_EQ(engine::FirebirdVersion, 30);
    // Once read, the version is not asked again: a value set meanwhile survives the next module.
    engine::FirebirdVersion = 21;
    { engine::TDM1 another; }
    EXPECT_EQ(engine::FirebirdVersion, 21);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(ui.questions.empty());
    // While it is unread, every new module asks.
    engine::FirebirdVersion = 0;
    { engine::TDM1 another; }
    EXPECT_EQ(engine::FirebirdVersion, 30);
}

TEST_F(SessionTest, CreationRemovesTheTemporaryOrderFiles) {
    for (const auto& file :
         {kvSetting.KVFile.FileOrdersTMP, kvSetting.KVFile.FileOrdersTMP2, kvSetting.KVFile.FileOrdersTMP3}) {
        platform::replaceFileContents(file, "x");
        std::filesystem::permissions(file, std::filesystem::perms::owner_read);
    }
    engine::TDM1 another;
    EXPECT_FALSE(platform::fileExists(kvSetting.KVFile.FileOrdersTMP));
    EXPECT_FALSE(platform::fileExists(kvSetting.KVFile.FileOrdersTMP2));
    EXPECT_FALSE(platform::fileExists(kvSetting.KVFile.FileOrdersTMP3));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SessionTest, AnUndeletableFirstFileLeavesTheOthersAlone) {
    // A folder in the file's place cannot be removed as a file.
    ASSERT_TRUE(platform::createDirectories(kvSetting.KVFile.FileOrdersTMP + "/inner"));
    platform::replaceFileContents(kvSetting.KVFile.FileOrdersTMP2, "x");
    platform::replaceFileContents(kvSetting.KVFile.FileOrdersTMP3, "x");
    engine::TDM1 another;
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "необходимо удалить файл:\r" + kvSetting.KVFile.FileOrdersTMP);
    EXPECT_TRUE(platform::fileExists(kvSetting.KVFile.FileOrdersTMP2));
    EXPECT_TRUE(platform::fileExists(kvSetting.KVFile.FileOrdersTMP3));
    // The module is usable all the same.
    EXPECT_TRUE(another.OpenDataBase(installation.database("Base")));
}

TEST_F(SessionTest, ReadAndWriteTransactionsUseTheirOwnParameters) {
    ASSERT_TRUE(open("Base"));
    module->IBQueryRead.SQL = {"SELECT MON$ISOLATION_MODE, MON$LOCK_TIMEOUT, MON$READ_ONLY", "FROM MON$TRANSACTIONS",
                               "WHERE MON$TRANSACTION_ID = CURRENT_TRANSACTION"};
    module->IBQueryRead.open();
    // Isolation 2 is read committed with record versions, 0 consistency; a lock timeout of 0 is no wait.
    EXPECT_EQ(module->IBQueryRead.fieldAsInteger(0), 2);
    EXPECT_EQ(module->IBQueryRead.fieldAsInteger(1), 0);
    EXPECT_EQ(module->IBQueryRead.fieldAsInteger(2), 1);
    module->IBQueryRead.close();
    module->IBTrRead.commit();

    module->IBQueryWrite.SQL = module->IBQueryRead.SQL;
    module->IBQueryWrite.open();
    EXPECT_EQ(module->IBQueryWrite.fieldAsInteger(0), 0);
    // The write transaction waits for a held lock, but only so long.
    EXPECT_EQ(module->IBQueryWrite.fieldAsInteger(1), engine::lockWaitSeconds);
    EXPECT_EQ(module->IBQueryWrite.fieldAsInteger(2), 0);
    module->IBQueryWrite.close();
    module->IBTrWrite.commit();
}
