#include "engine/DatabaseCheck.h"

#include "engine/firebird/Connection.h"
#include "engine/firebird/FbStatus.h"
#include "engine/firebird/Query.h"
#include "engine/firebird/Transaction.h"
#include "environment/KvSetting.h"

#include <unistd.h>

namespace engine {

std::string databaseProblem(const std::string& path) {
    // Firebird may attach a file it cannot write and fail only at the first change.
    if (::access(path.c_str(), R_OK | W_OK) != 0) {
        return fb::describeKind(fb::FailureKind::NoPermission);
    }
    std::vector<std::string> loginLines;
    for (const auto& line : {environment::kvSetting.Params1, environment::kvSetting.Params2}) {
        if (!line.empty()) {
            loginLines.push_back(line);
        }
    }
    try {
        fb::Connection connection;
        connection.attach(path, loginLines);
        fb::Transaction read(connection, fb::Transaction::readParameters());
        fb::Query stamp(read);
        stamp.SQL = {"SELECT Version", "FROM kv_Setting"};
        stamp.open();
        stamp.close();
        read.commit();
        return {};
    } catch (const fb::FbError& error) {
        return fb::describeKind(error.kind()) + " (" + error.what() + ")";
    }
}

} // namespace engine
