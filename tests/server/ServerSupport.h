#pragma once

#include "engine/firebird/Connection.h"
#include "engine/firebird/Query.h"
#include "engine/firebird/Transaction.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <sys/file.h>
#include <unistd.h>
#include <vector>

namespace server_testing {

// The text as one word of a shell command.
inline std::string quoted(const std::string& text) {
    std::string result = "'";
    for (char c : text) {
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return result + "'";
}

inline std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The SYSDBA password of the test server, empty when none is given.
inline std::string sysdbaPassword() {
    const std::string password = environmentValue("ZURUZOD_TEST_SYSDBA_PASSWORD");
    return password.empty() ? environmentValue("ISC_PASSWORD") : password;
}

inline constexpr const char* kNoServer =
    "No Firebird server for this test: run scripts/test.sh, or scripts/firebird-server.sh start and then ctest "
    "with the variables of build/firebird-server.env (ZURUZOD_TEST_SERVER=1 and ZURUZOD_TEST_SYSDBA_PASSWORD).";

inline void executeOn(engine::fb::Connection& connection, const std::string& sql,
                      std::vector<engine::fb::SqlValue> params = {}) {
    engine::fb::Transaction transaction(connection, engine::fb::Transaction::writeParameters());
    engine::fb::Query query(transaction);
    query.SQL = {sql};
    query.Params = std::move(params);
    query.execute();
    query.close();
    transaction.commit();
}

// The server's accounts are shared by every test process, and ctest runs tests side by side: one test's
// clean-up must not drop the account another is logging in with. Held until the object goes.
class AccountLock {
public:
    AccountLock() {
        const std::string file = (std::filesystem::temp_directory_path() / "zuruzod-server-account.lock").string();
        m_fd = open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (m_fd < 0 || flock(m_fd, LOCK_EX) != 0) {
            throw std::runtime_error("cannot lock " + file);
        }
    }
    ~AccountLock() { close(m_fd); }
    AccountLock(const AccountLock&) = delete;
    AccountLock& operator=(const AccountLock&) = delete;

private:
    int m_fd = -1;
};

} // namespace server_testing
