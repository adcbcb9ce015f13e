// The backup's copy of a database that another attachment is writing.
#include "EngineFixture.h"

#include "engine/DatabaseCheck.h"
#include "engine/DatabaseCopy.h"
#include "engine/firebird/Connection.h"
#include "engine/firebird/Query.h"
#include "engine/firebird/Transaction.h"
#include "platform/FileSystem.h"

#include <stdexcept>

namespace {

using engine::fb::Connection;
using engine::fb::Query;
using engine::fb::Transaction;

class DatabaseCopyTest : public EngineTest {};

TEST_F(DatabaseCopyTest, TheCopyHoldsWhatWasCommittedAndTheOriginalGoesOnWorking) {
    const std::string base = installation.database("Base");
    const std::string copy = installation.layout().root + "Base-copy.fdb";
    Connection writer;
    writer.attach(base, {});
    Transaction pending(writer, Transaction::writeParameters());
    Query update(pending);
    update.SQL = {"UPDATE kv_Setting SET Build = 5"};
    update.execute();

    engine::copyDatabaseConsistently(base, copy);

    pending.commit();
    writer.close();
    EXPECT_EQ(engine::databaseProblem(copy), "");
    int v = 0, sp = 0, bb = -1;
    ASSERT_TRUE(module->read_VersionServicePackBuild(copy, v, sp, bb));
    EXPECT_EQ(bb, 0);
    ASSERT_TRUE(module->read_VersionServicePackBuild(base, v, sp, bb));
    EXPECT_EQ(bb, 5);
    // The original left the frozen state: it takes changes as before.
    ASSERT_TRUE(open("Base"));
    module->fw_Write_Version(8, 0, 6);
    EXPECT_EQ(engine::KolvoStep, 1);
}

// What a copy killed between its freeze and its release leaves behind.
TEST_F(DatabaseCopyTest, ADatabaseLeftFrozenIsCopiedWithItsLaterChangesAndReleased) {
    const std::string base = installation.database("Base");
    const std::string copy = installation.layout().root + "Base-copy.fdb";
    {
        Connection frozen;
        frozen.attach(base, {});
        for (const char* statement : {"ALTER DATABASE BEGIN BACKUP", "UPDATE kv_Setting SET Build = 5"}) {
            Transaction write(frozen, Transaction::writeParameters());
            Query query(write);
            query.SQL = {statement};
            query.execute();
            query.close();
            write.commit();
        }
    }
    ASSERT_TRUE(platform::fileExists(base + ".delta"));

    engine::copyDatabaseConsistently(base, copy);

    int v = 0, sp = 0, bb = -1;
    ASSERT_TRUE(module->read_VersionServicePackBuild(copy, v, sp, bb));
    EXPECT_EQ(bb, 5);
    EXPECT_FALSE(platform::fileExists(base + ".delta"));
    Connection check;
    check.attach(base, {});
    Transaction read(check, Transaction::readParameters());
    Query state(read);
    state.SQL = {"SELECT MON$BACKUP_STATE FROM MON$DATABASE"};
    state.open();
    EXPECT_EQ(state.fieldAsInteger(0), 0);
}

TEST_F(DatabaseCopyTest, AFileThatIsNoDatabaseIsNotCopied) {
    const std::string bogus = installation.layout().root + "bogus.fdb";
    const std::string copy = installation.layout().root + "bogus-copy.fdb";
    platform::replaceFileContents(bogus, "not a database");
    EXPECT_THROW(engine::copyDatabaseConsistently(bogus, copy), std::runtime_error);
    EXPECT_FALSE(platform::fileExists(copy));
}

} // namespace
