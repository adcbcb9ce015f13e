// The whole upgrade of a 7.12 set whose server Orders database a running Firebird server holds, as at an
// installation where the suite's clients reach it through the server: every database ends as the same
// set upgraded with no server at all.
#include "InstallationBuilder.h"
#include "ServerSupport.h"
#include "engine/firebird/Connection.h"
#include "environment/DatabasePassword.h"
#include "platform/FileSystem.h"
#include "support/TestInstallation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <grp.h>
#include <pwd.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using server_testing::quoted;

constexpr int kNumberFirm = 12;

// Runs a command, its standard output kept in `out`; returns its exit status.
int runCommand(const std::string& command, const std::string& outFile, std::string& out) {
    const int raw = std::system((command + " >" + quoted(outFile) + " 2>&1 </dev/null").c_str());
    platform::readWholeFile(outFile, out);
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

// A 7.12 set already copied into the version-8 folder, in a temporary folder of its own.
class Set712 {
public:
    Set712() {
        tools::InstallationSpec spec;
        spec.root = m_dir.path();
        spec.numberFirm = kNumberFirm;
        spec.stamp = tools::Stamp{7, 12, 4};
        spec.schema = tools::Release::V712;
        spec.templateCache = (std::filesystem::temp_directory_path() / "zuruzod-test-templates").string();
        m_layout = tools::buildInstallation(spec);
    }
    std::string database(const std::string& name) const {
        return tools::databasePath(m_layout, tools::Release::V8, name);
    }

    // The upgrade without a window, as an administrator starts it; its output in `out`.
    int upgrade(std::string& out) const {
        const std::string command =
            "XDG_CONFIG_DIRS=" + quoted(m_layout.machineConfig) + " XDG_CONFIG_HOME=" + quoted(m_layout.userConfig) +
            " XDG_RUNTIME_DIR=" + quoted(m_layout.machineConfig) + " " + quoted(UPGRADE_HEADLESS);
        return runCommand(command, m_dir.path() + "headless.out", out);
    }

    // Every database of the set as db-dump prints it, times and generated GUIDs aside.
    std::string dump() const {
        std::string all;
        for (const auto& name : tools::databaseNames(tools::Release::V8)) {
            std::string out = "absent\n";
            if (platform::fileExists(database(name)) &&
                runCommand(quoted(DB_DUMP) + " " + quoted(database(name)), m_dir.path() + "dump.out", out) != 0) {
                ADD_FAILURE() << name << ": " << out;
            }
            all += "== " + name + "\n" + out;
        }
        return all;
    }

    // The server must be able to open the server Orders database below the private temporary folder.
    void shareServerOrdersWithFirebirdAccount() const {
        std::filesystem::permissions(m_dir.path(),
                                     std::filesystem::perms::others_exec | std::filesystem::perms::group_exec,
                                     std::filesystem::perm_options::add);
        const passwd* account = getpwnam("firebird");
        const group* accountGroup = getgrnam("firebird");
        const std::string file = database("OrdersServer");
        if (geteuid() == 0 && account && accountGroup &&
            chown(file.c_str(), account->pw_uid, accountGroup->gr_gid) != 0) {
            throw std::runtime_error("cannot give " + file + " to the firebird account");
        }
    }

private:
    testing_support::TempDir m_dir;
    tools::InstallationLayout m_layout;
};

TEST(ServerChainTest, A712SetWithItsServerOrdersDatabaseOnAServerIsUpgradedAsWithoutOne) {
    if (server_testing::environmentValue("ZURUZOD_TEST_SERVER").empty()) {
        GTEST_SKIP() << server_testing::kNoServer;
    }
    const std::string password = server_testing::sysdbaPassword();
    ASSERT_FALSE(password.empty()) << "ZURUZOD_TEST_SERVER is set but no SYSDBA password is given";
    server_testing::AccountLock accountLock;

    Set712 embedded;
    std::string embeddedOut;
    ASSERT_EQ(embedded.upgrade(embeddedOut), 0) << embeddedOut;

    Set712 served;
    served.shareServerOrdersWithFirebirdAccount();
    const std::string user = environment::databaseUser(kNumberFirm);
    std::string servedOut;
    {
        // SYSDBA's attachment keeps the file on the server for the whole run, which then reaches it through the
        // server under the installation's own account.
        engine::fb::Connection admin;
        admin.attach("localhost:" + served.database("OrdersServer"), {"user_name=SYSDBA", "password=" + password});
        server_testing::executeOn(admin, "CREATE OR ALTER USER \"" + user + "\" PASSWORD '" +
                                             environment::databasePassword(kNumberFirm) + "' USING PLUGIN Srp");
        const int status = served.upgrade(servedOut);
        {
            engine::fb::Connection held;
            // The plain path goes to the server while SYSDBA holds the file: the run went that way too.
            EXPECT_THROW(held.attach(served.database("OrdersServer"), {"user_name=" + user}), engine::fb::FbError);
        }
        server_testing::executeOn(admin, "DROP USER \"" + user + "\"");
        admin.close();
        ASSERT_EQ(status, 0) << servedOut;
    }

    for (const char* line : {"Установлен Service Pack 00.04\n", "Установлен Service Pack 00.07\n", "889-889\n",
                             "Обновление версии 8.00 успешно завершено\n"}) {
        EXPECT_NE(servedOut.find(line), std::string::npos) << line << servedOut;
    }
    const std::string dumped = served.dump();
    EXPECT_NE(dumped.find("== OrdersServer\ntable "), std::string::npos) << dumped;
    EXPECT_EQ(dumped, embedded.dump());
}

} // namespace
