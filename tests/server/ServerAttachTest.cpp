// Reaching a database through a Firebird server that holds the file, as an installation whose databases
// live under a running server does, and the embedded attachment used when no server holds it.
#include "InstallationBuilder.h"
#include "ServerSupport.h"
#include "engine/DatabaseCheck.h"
#include "engine/DatabaseCopy.h"
#include "engine/firebird/Connection.h"
#include "engine/firebird/FbStatus.h"
#include "engine/firebird/Query.h"
#include "engine/firebird/Transaction.h"
#include "environment/DatabasePassword.h"
#include "environment/KvSetting.h"
#include "platform/FileSystem.h"
#include "support/TestInstallation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <grp.h>
#include <optional>
#include <pwd.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

using engine::fb::Connection;
using engine::fb::FbError;
using engine::fb::Query;
using engine::fb::Transaction;
using server_testing::AccountLock;
using server_testing::environmentValue;
using server_testing::executeOn;

constexpr int kNumberFirm = 12;

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
    const tools::InstallationLayout& layout() const { return m_layout; }

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

class ServerAttachTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (environmentValue("ZURUZOD_TEST_SERVER").empty()) {
            GTEST_SKIP() << server_testing::kNoServer;
        }
        sysdbaPassword = server_testing::sysdbaPassword();
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

// The run's backup of a database that the server holds and that another attachment is writing,
// and the restore's look for other attachments through the server.
TEST_F(ServerAttachTest, TheBackupCopiesWhatTheServerCommittedAndSeesItsAttachments) {
    ASSERT_NO_FATAL_FAILURE(holdOnServer());
    auto& setting = environment::kvSetting;
    const std::string savedLogin[] = {setting.Params1, setting.Params2};
    const std::vector<std::string> login = installationLogin(environment::databasePassword(kNumberFirm));
    setting.Params1 = login[0];
    setting.Params2 = login[1];
    const std::string copy = installation->base() + ".copy";
    Transaction pending(admin, Transaction::writeParameters());
    Query update(pending);
    update.SQL = {"UPDATE kv_Setting SET Build = 5"};
    update.execute();

    engine::copyDatabaseConsistently(installation->base(), copy);
    const std::string holders = engine::databaseHolders(installation->base());

    update.close();
    pending.commit();
    EXPECT_EQ(engine::databaseProblem(copy), "");
    EXPECT_NE(holders.find("база занята другой программой"), std::string::npos) << holders;
    Connection copied;
    copied.attach(copy, login);
    EXPECT_FALSE(overTcp(copied));
    {
        Transaction read(copied, Transaction::readParameters());
        Query stamp(read);
        stamp.SQL = {"SELECT Build FROM kv_Setting"};
        stamp.open();
        EXPECT_EQ(stamp.fieldAsInteger(0), 0);
    }
    // The server's database left the frozen state and keeps what was written meanwhile.
    Transaction read(admin, Transaction::readParameters());
    Query state(read);
    state.SQL = {"SELECT MON$BACKUP_STATE, (SELECT Build FROM kv_Setting) FROM MON$DATABASE"};
    state.open();
    EXPECT_EQ(state.fieldAsInteger(0), 0);
    EXPECT_EQ(state.fieldAsInteger(1), 5);
    setting.Params1 = savedLogin[0];
    setting.Params2 = savedLogin[1];
}

} // namespace

// Everything the command wrote, and every file of the installation, searched for a text.
bool foundAnywhere(const std::string& text, const std::string& output, const std::string& folder) {
    if (output.find(text) != std::string::npos) {
        return true;
    }
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        std::string bytes;
        if (entry.is_regular_file() && platform::readWholeFile(entry.path().string(), bytes) &&
            bytes.find(text) != std::string::npos) {
            return true;
        }
    }
    return false;
}

// upgrade-headless server-account with the administrator's login in ISC_USER and ISC_PASSWORD, and
// with the statement times on, which show every statement's text.
std::pair<int, std::string> serverAccountCommand(const tools::InstallationLayout& layout, const std::string& admin,
                                                 const std::string& password) {
    const std::string output = layout.root + "server-account.txt";
    const std::string command = "XDG_CONFIG_DIRS='" + layout.machineConfig + "' XDG_CONFIG_HOME='" + layout.userConfig +
                                "' ZURUZOD_STATEMENT_TIMES=1 ISC_USER='" + admin + "' ISC_PASSWORD='" + password +
                                "' '" UPGRADE_HEADLESS "' server-account >'" + output + "' 2>&1 </dev/null";
    const int raw = std::system(command.c_str());
    std::string text;
    platform::readWholeFile(output, text);
    std::filesystem::remove(output);
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, text};
}

TEST_F(ServerAttachTest, ServerAccountGivesTheServerTheInstallationsUserWithoutShowingItsPassword) {
    const std::string password = environment::databasePassword(kNumberFirm);
    const auto& layout = installation->layout();

    const auto refused = serverAccountCommand(layout, "SYSDBA", "not" + sysdbaPassword);
    EXPECT_EQ(refused.first, 1) << refused.second;
    EXPECT_NE(refused.second.find("did not take the user kv5.12 from SYSDBA"), std::string::npos) << refused.second;

    const auto created = serverAccountCommand(layout, "SYSDBA", sysdbaPassword);
    userCreated = true;
    admin.attach("localhost:" + installation->base(), {"user_name=SYSDBA", "password=" + sysdbaPassword});
    EXPECT_EQ(created.first, 0) << created.second;
    EXPECT_NE(created.second.find("has a new user kv5.12"), std::string::npos) << created.second;
    {
        Connection connection;
        connection.attach("localhost:" + installation->base(), installationLogin(password));
        EXPECT_EQ(currentUser(connection), "kv5.12");
    }

    const auto updated = serverAccountCommand(layout, "SYSDBA", sysdbaPassword);
    EXPECT_EQ(updated.first, 0) << updated.second;
    EXPECT_NE(updated.second.find("knows kv5.12 already"), std::string::npos) << updated.second;

    EXPECT_FALSE(foundAnywhere(password, refused.second + created.second + updated.second, layout.root));
}
