#include "engine/DatabaseCopy.h"

#include "engine/InstallationLogin.h"
#include "engine/firebird/Connection.h"
#include "engine/firebird/FbStatus.h"
#include "engine/firebird/Query.h"
#include "engine/firebird/Statement.h"
#include "engine/firebird/Transaction.h"
#include "platform/ChildProcess.h"
#include "platform/FileSystem.h"

#include <stdexcept>
#include <string>

namespace engine {
namespace {

void alterDatabase(fb::Connection& connection, const std::string& statement) {
    fb::Transaction transaction(connection, fb::Transaction::writeParameters());
    fb::Statement(transaction, {statement}).execute();
    transaction.commit();
}

// A copy cut short (the process killed between BEGIN and END BACKUP) leaves the database frozen,
// its changes since then in the delta file; a new BEGIN BACKUP would be refused for good. END
// BACKUP merges the delta back, so that the copy that follows holds every change.
void endLeftoverFreeze(fb::Connection& connection) {
    std::int64_t state = 0;
    {
        fb::Transaction read(connection, fb::Transaction::readParameters());
        fb::Query backupState(read);
        backupState.SQL = {"SELECT MON$BACKUP_STATE FROM MON$DATABASE"};
        backupState.open();
        state = backupState.fieldAsInteger(0);
        backupState.close();
        read.commit();
    }
    if (state != 0) {
        alterDatabase(connection, "ALTER DATABASE END BACKUP");
    }
}

// The copy carries the frozen state of the database it was taken from; nbackup clears it in
// a moment, as it writes the header page alone.
bool fixUpCopy(const std::string& path) {
    const platform::ChildEnding ending = platform::runChild("nbackup", {"-F", path}, "", std::chrono::minutes(5));
    return ending.kind == platform::ChildEnding::Kind::Exited && ending.code == 0;
}

} // namespace

void copyDatabaseConsistently(const std::string& from, const std::string& to) {
    fb::Connection connection;
    try {
        connection.attach(from, installationLoginLines());
        endLeftoverFreeze(connection);
        alterDatabase(connection, "ALTER DATABASE BEGIN BACKUP");
    } catch (const fb::FbError& error) {
        throw std::runtime_error(from + ": " + fb::describeKind(error.kind()) + " (" + error.what() + ")");
    }
    const bool copied = platform::copyFileCompletely(from, to);
    try {
        alterDatabase(connection, "ALTER DATABASE END BACKUP");
    } catch (const fb::FbError& error) {
        platform::removeFileClearingAttributes(to);
        throw std::runtime_error(from + ": END BACKUP: " + error.what());
    }
    connection.close();
    if (!copied) {
        throw std::runtime_error(from + ": the file could not be copied to " + to);
    }
    if (!fixUpCopy(to)) {
        platform::removeFileClearingAttributes(to);
        throw std::runtime_error(to + ": nbackup -F could not make the copy usable");
    }
}

} // namespace engine
