#include "engine/DatabaseCheck.h"

#include "engine/firebird/Connection.h"
#include "engine/firebird/FbStatus.h"
#include "engine/firebird/Query.h"
#include "engine/firebird/Transaction.h"
#include "environment/KvSetting.h"

#include <unistd.h>

namespace engine {

std::string databaseProblem(const std::string& path) {
    std::vector<std::string> loginLines;
    for (const auto& line : {environment::kvSetting.Params1, environment::kvSetting.Params2}) {
        if (!line.empty()) {
            loginLines.push_back(line);
        }
    }
    bool embedded = true;
    try {
        fb::Connection connection;
        connection.attach(path, loginLines);
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

} // namespace engine
