#include "engine/DatabaseCheck.h"

#include "engine/InstallationLogin.h"
#include "engine/firebird/Connection.h"
#include "engine/firebird/FbStatus.h"
#include "engine/firebird/Query.h"
#include "engine/firebird/Transaction.h"

#include <unistd.h>

namespace engine {

std::string databaseProblem(const std::string& path) {
    bool embedded = true;
    try {
        fb::Connection connection;
        connection.attach(path, installationLoginLines());
        fb::Transaction read(connection, fb::Transaction::readParameters());
        fb::Query stamp(read);
        stamp.SQL = {"SELECT Version", "FROM kv_Setting"};
        stamp.open();
        stamp.close();
        fb::Query protocol(read);
        protocol.SQL = {"SELECT MON$REMOTE_PROTOCOL FROM MON$ATTACHMENTS",
                        "WHERE MON$ATTACHMENT_ID = CURRENT_CONNECTION"};
        protocol.open();
        embedded = protocol.eof() || protocol.fieldAsString(0).empty();
        protocol.close();
        read.commit();
    } catch (const fb::FbError& error) {
        return fb::describeKind(error.kind()) + " (" + error.what() + ")";
    }
    // Embedded, Firebird attaches a file it may not write and fails only at the first change;
    // a server writes the file with rights of its own.
    if (embedded && ::access(path.c_str(), R_OK | W_OK) != 0) {
        return fb::describeKind(fb::FailureKind::NoPermission);
    }
    return {};
}

std::string databaseHolders(const std::string& path) {
    try {
        fb::Connection connection;
        connection.attach(path, installationLoginLines());
        fb::Transaction read(connection, fb::Transaction::readParameters());
        fb::Query others(read);
        // The engine's own attachments (garbage collector, cache writer) are no one's work.
        others.SQL = {"SELECT COUNT(*) FROM MON$ATTACHMENTS",
                      "WHERE MON$ATTACHMENT_ID <> CURRENT_CONNECTION AND MON$SYSTEM_FLAG = 0"};
        others.open();
        const std::int64_t count = others.fieldAsInteger(0);
        others.close();
        read.commit();
        if (count > 0) {
            return fb::describeKind(fb::FailureKind::HeldElsewhere) + ": подключений: " + std::to_string(count);
        }
        return {};
    } catch (const fb::FbError& error) {
        // Held by another engine, or by a server that will not show its attachments; any other failure
        // (a damaged or missing file) is no one's attachment.
        const fb::FailureKind kind = error.kind();
        if (kind == fb::FailureKind::HeldElsewhere || kind == fb::FailureKind::LoginRefused) {
            return fb::describeKind(kind) + " (" + error.what() + ")";
        }
        return {};
    }
}

} // namespace engine
