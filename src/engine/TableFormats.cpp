#include "engine/TableFormats.h"

#include "engine/InstallationLogin.h"
#include "engine/firebird/Connection.h"
#include "engine/firebird/Query.h"
#include "engine/firebird/Transaction.h"

namespace engine {

std::map<std::string, int> readTableFormats(const std::string& path) {
    fb::Connection connection;
    connection.attach(path, installationLoginLines());
    fb::Transaction read(connection, fb::Transaction::readParameters());
    fb::Query formats(read);
    formats.SQL = {"SELECT R.RDB$RELATION_NAME, MAX(F.RDB$FORMAT)", "FROM RDB$RELATIONS R",
                   "JOIN RDB$FORMATS F ON F.RDB$RELATION_ID = R.RDB$RELATION_ID",
                   "WHERE COALESCE(R.RDB$SYSTEM_FLAG, 0) = 0", "GROUP BY R.RDB$RELATION_NAME"};
    std::map<std::string, int> result;
    for (formats.open(); !formats.eof(); formats.next()) {
        result[formats.fieldAsString(0)] = static_cast<int>(formats.fieldAsInteger(1));
    }
    formats.close();
    read.commit();
    return result;
}

} // namespace engine
