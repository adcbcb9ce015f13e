// Reaching a database through a Firebird server that holds the file, as an installation whose databases
// live under a running server does, and the embedded attachment used when no server holds it.
#include "InstallationBuilder.h"
#include "engine/firebird/Connection.h"
#include "engine/firebird/FbStatus.h"
#include "engine/firebird/Query.h"
#include "engine/firebird/Transaction.h"
#include "environment/DatabasePassword.h"
#include "support/TestInstallation.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <grp.h>
#include <optional>
#include <pwd.h>
#include <stdexcept>
#include <string>
#include <sys/file.h>
#include <unistd.h>
#include <vector>

namespace {

using engine::fb::Connection;
using engine::fb::FbError;
using engine::fb::Query;
using engine::fb::Transaction;

constexpr int kNumberFirm = 12;

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::vector<std::string> installationLogin(const std::string& password) {
    return {"user_name=" + environment::databaseUser(kNumberFirm), "password=" + password};
}

// The attachment's wire protocol ("TCPv4", "TCPv6"), empty for an embedded attachment.
std::string remoteProtocol(Connection& connection) {
    Transaction transaction(connection, Transaction::readParameters());
    Query query(transaction);
    query.SQL = {"SELECT MON$REMOTE_PROTOCOL FROM MON$ATTACHMENTS", "WHERE MON$ATTACHMENT_ID = CURRENT_CONNECTION"};
    query.open();
    return query.fieldAsString(0);
}

bool overTcp(Connection& connection) {
    return remoteProtocol(connection).starts_with("TCP");
}

std::string currentUser(Connection& connection) {
    Transaction transaction(connection, Transaction::readParameters());
    Query query(transaction);
    query.SQL = {"SELECT CURRENT_USER FROM RDB$DATABASE"};
    query.open();
    return query.fieldAsString(0);
}

void executeOn(Connection& connection, const std::string& sql, std::vector<engine::fb::SqlValue> params = {}) {
    Transaction transaction(connection, Transaction::writeParameters());
    Query query(transaction);
    query.SQL = {sql};
    query.Params = std::move(params);
    query.execute();
    query.close();
    transaction.commit();
}

// An installation in a temporary folder whose Base database a server running as root or as the
// Debian "firebird" account can open.
class InstallationForServer {
public:
    InstallationForServer() {
        tools::InstallationSpec spec;
        spec.root = m_dir.path();
        spec.numberFirm = kNumberFirm;
        m_layout = tools::buildInstallation(spec);
        m_base = tools::databasePath(m_layout, spec.release, "Base");
        shareWithFirebirdAccount();
    }
    const std::string& base() const { return m_base; }

private:
    void shareWithFirebirdAccount() {
        // The temporary folder is private to its owner; the database below it is not secret.
        std::filesystem::permissions(m_dir.path(),
                                     std::filesystem::perms::others_exec | std::filesystem::perms::group_exec,
                                     std::filesystem::perm_options::add);
        // Only root may give the file away; a server running as this same user opens it anyway.
        const passwd* account = getpwnam("firebird");
        const group* accountGroup = getgrnam("firebird");
        if (geteuid() == 0 && account && accountGroup &&
            chown(m_base.c_str(), account->pw_uid, accountGroup->gr_gid) != 0) {
            throw std::runtime_error("cannot give " + m_base + " to the firebird account");
        }
    }

    testing_support::TempDir m_dir;
    tools::InstallationLayout m_layout;
    std::string m_base;
};

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

class ServerAttachTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (environmentValue("ZURUZOD_TEST_SERVER").empty()) {
            GTEST_SKIP() << "No Firebird server for this test: run scripts/test.sh, or scripts/firebird-server.sh "
                            "start and then ctest with the variables of build/firebird-server.env "
                            "(ZURUZOD_TEST_SERVER=1 and ZURUZOD_TEST_SYSDBA_PASSWORD).";
        }
        sysdbaPassword = environmentValue("ZURUZOD_TEST_SYSDBA_PASSWORD");
        if (sysdbaPassword.empty()) {
            sysdbaPassword = environmentValue("ISC_PASSWORD");
        }
        ASSERT_FALSE(sysdbaPassword.empty())
            << "ZURUZOD_TEST_SERVER is set but neither ZURUZOD_TEST_SYSDBA_PASSWORD nor ISC_PASSWORD gives the "
               "server's SYSDBA password";
        accountLock.emplace();
        installation.emplace();
    }

    // Detaches before the installation's folder goes.
    void TearDown() override {
        if (userCreated && admin.connected()) {
            try {
                executeOn(admin, "DROP USER \"" + environment::databaseUser(kNumberFirm) + "\"");
            } catch (const FbError& error) {
                ADD_FAILURE() << "the test user could not be dropped: " << error.what();
            }
        }
        admin.close();
    }

    // Holds the file on the server as SYSDBA and gives the server the installation's account.
    void holdOnServer() {
        admin.attach("localhost:" + installation->base(), {"user_name=SYSDBA", "password=" + sysdbaPassword});
        ASSERT_TRUE(overTcp(admin));
        // The dot keeps "kv5.12" from being an ordinary identifier: the client sends it as written,
        // so the account is created quoted, in the same lower case the embedded owner carries.
        const std::string user = environment::databaseUser(kNumberFirm);
        executeOn(admin, "CREATE OR ALTER USER \"" + user + "\" PASSWORD '" +
                             environment::databasePassword(kNumberFirm) + "' USING PLUGIN Srp");
        userCreated = true;
    }

    std::string sysdbaPassword;
    std::optional<AccountLock> accountLock;
    std::optional<InstallationForServer> installation;
    Connection admin;
    bool userCreated = false;
};

TEST(EmbeddedAttachTest, APlainPathAttachesEmbeddedWhenNoServerHoldsTheFile) {
    InstallationForServer installation;
    Connection connection;
    // No password: the embedded engine does not check one.
    connection.attach(installation.base(), {"user_name=" + environment::databaseUser(kNumberFirm)});
    EXPECT_EQ(remoteProtocol(connection), "");
    EXPECT_FALSE(connection.remote());
    EXPECT_EQ(currentUser(connection), "kv5.12");
}

TEST_F(ServerAttachTest, ThePlainPathReachesTheServerThatHoldsTheFile) {
    {
        // The builder's owner is the user name exactly as the program sends it.
        Connection embedded;
        embedded.attach(installation->base(), {"user_name=" + environment::databaseUser(kNumberFirm)});
        Transaction transaction(embedded, Transaction::readParameters());
        Query query(transaction);
        query.SQL = {"SELECT RDB$OWNER_NAME FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'KV_SETTING'"};
        query.open();
        ASSERT_EQ(query.fieldAsString(0), "kv5.12");
    }
    ASSERT_NO_FATAL_FAILURE(holdOnServer());

    Connection connection;
    connection.attach(installation->base(), installationLogin(environment::databasePassword(kNumberFirm)));
    EXPECT_TRUE(overTcp(connection));
    EXPECT_TRUE(connection.remote());
    EXPECT_EQ(currentUser(connection), "kv5.12");
    {
        Transaction transaction(connection, Transaction::readParameters());
        Query query(transaction);
        query.SQL = {"SELECT rdb$get_context('SYSTEM', 'NETWORK_PROTOCOL') FROM RDB$DATABASE"};
        query.open();
        EXPECT_TRUE(query.fieldAsString(0).starts_with("TCP")) << query.fieldAsString(0);
    }
    {
        Transaction transaction(connection, Transaction::readParameters());
        Query query(transaction);
        query.SQL = {"SELECT Version, ServicePack, Build FROM kv_Setting"};
        query.open();
        ASSERT_FALSE(query.eof());
        EXPECT_EQ(query.fieldAsInteger(0), 8);
        EXPECT_EQ(query.fieldAsInteger(1), 0);
        EXPECT_EQ(query.fieldAsInteger(2), 0);
    }

    const std::string text = "Обновление базы: проверка через сервер";
    executeOn(connection, "INSERT INTO log_Upgrade (uTime, uVersion) VALUES (CURRENT_TIMESTAMP, :p0)", {text});
    connection.close();

    // A new attachment reads what the first one wrote, through the server again.
    Connection reader;
    reader.attach(installation->base(), installationLogin(environment::databasePassword(kNumberFirm)));
    EXPECT_TRUE(overTcp(reader));
    Transaction transaction(reader, Transaction::readParameters());
    Query query(transaction);
    query.SQL = {"SELECT uVersion, OCTET_LENGTH(uVersion) FROM log_Upgrade"};
    query.open();
    ASSERT_FALSE(query.eof());
    EXPECT_EQ(query.fieldAsString(0), text);
    // Stored in the database's WIN1251, one byte a letter.
    EXPECT_EQ(query.fieldAsInteger(1), 38);
    query.next();
    EXPECT_TRUE(query.eof());
}

// Whether an attachment by the plain path and by the server's own address is refused.
void expectRefused(const std::string& database, const std::vector<std::string>& login) {
    Connection connection;
    // When every provider fails the client reports the embedded engine's lock error, not the
    // server's answer; only the attempt through "localhost:" shows why the server said no.
    try {
        connection.attach(database, login);
        ADD_FAILURE() << "the plain path attached";
    } catch (const FbError& error) {
        EXPECT_EQ(error.kind(), engine::fb::FailureKind::HeldElsewhere) << error.what();
    }
    EXPECT_FALSE(connection.connected());
    try {
        connection.attach("localhost:" + database, login);
        ADD_FAILURE() << "the server accepted the login";
    } catch (const FbError& error) {
        EXPECT_NE(std::string(error.what()).find("user name and password are not defined"), std::string::npos)
            << error.what();
        EXPECT_EQ(error.kind(), engine::fb::FailureKind::LoginRefused) << error.what();
    }
}

TEST_F(ServerAttachTest, TheServerRefusesAWrongPassword) {
    ASSERT_NO_FATAL_FAILURE(holdOnServer());
    expectRefused(installation->base(), installationLogin("WRONG000"));
}

TEST_F(ServerAttachTest, AnUpperCaseUserNameIsAnotherAccount) {
    ASSERT_NO_FATAL_FAILURE(holdOnServer());
    // Names that are not plain identifiers travel as written, so "KV5.12" does not find "kv5.12".
    expectRefused(installation->base(), {"user_name=KV5.12", "password=" + environment::databasePassword(kNumberFirm)});
    // A plain identifier is upper-cased on the way: "sysdba" is SYSDBA.
    Connection connection;
    connection.attach("localhost:" + installation->base(), {"user_name=sysdba", "password=" + sysdbaPassword});
    EXPECT_EQ(currentUser(connection), "SYSDBA");
}

} // namespace
