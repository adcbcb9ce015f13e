#include "engine/ServerAccount.h"

#include "engine/firebird/Connection.h"
#include "engine/firebird/Query.h"
#include "engine/firebird/Transaction.h"

namespace engine {
namespace {

// A name or password inside single quotes of a statement.
std::string literal(const std::string& text) {
    std::string result = "'";
    for (const char c : text) {
        result += c == '\'' ? std::string("''") : std::string(1, c);
    }
    return result + "'";
}

// The dot keeps "kv5.N" from being a plain identifier: quoted, it keeps the lower case in which
// the client sends it and in which the installation's databases name their owner.
std::string quotedName(const std::string& name) {
    std::string result = "\"";
    for (const char c : name) {
        result += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return result + "\"";
}

} // namespace

AccountChange setServerAccount(const std::string& database, const std::vector<std::string>& adminLogin,
                               const std::string& user, const std::string& password) {
    fb::Connection connection;
    connection.attach("localhost:" + database, adminLogin);
    fb::Transaction transaction(connection, fb::Transaction::writeParameters());
    fb::Query known(transaction);
    known.SQL = {"SELECT COUNT(*) FROM SEC$USERS", "WHERE SEC$USER_NAME = :p0 AND SEC$PLUGIN = 'Srp'"};
    known.Params = {user};
    known.open();
    const bool exists = known.fieldAsInteger(0) > 0;
    known.close();
    // User statements take no parameters: the block hands the password to the statement it
    // builds, so that the password is in no statement text that a trace or the statement times show.
    fb::Query change(transaction);
    change.SQL = {"EXECUTE BLOCK (NEW_PASSWORD VARCHAR(64) = :p0) AS BEGIN",
                  "  EXECUTE STATEMENT " + literal("CREATE OR ALTER USER " + quotedName(user) + " PASSWORD '") +
                      " || REPLACE(NEW_PASSWORD, '''', '''''') || ''' USING PLUGIN Srp';",
                  "END"};
    change.Params = {password};
    change.execute();
    change.close();
    transaction.commit();
    return exists ? AccountChange::Updated : AccountChange::Created;
}

} // namespace engine
