// server-hold DATABASE NUMBER-FIRM: holds a database on the local Firebird server the way a
// shop's server holds it, for benchmarks and trials through the server. It attaches as SYSDBA
// (password in ZURUZOD_TEST_SYSDBA_PASSWORD), gives the server the installation's account,
// prints "held" and keeps the attachment until its standard input ends; then it drops the
// account again. The account's password never leaves the program.
#include "engine/firebird/Connection.h"
#include "engine/firebird/Query.h"
#include "engine/firebird/Transaction.h"
#include "environment/DatabasePassword.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <string>
#include <sys/file.h>
#include <unistd.h>

namespace {

void executeOn(engine::fb::Connection& connection, const std::string& sql) {
    engine::fb::Transaction transaction(connection, engine::fb::Transaction::writeParameters());
    engine::fb::Query query(transaction);
    query.SQL = {sql};
    query.execute();
    query.close();
    transaction.commit();
}

// The server's accounts are shared by every process on the machine: the account is made and
// dropped under the same lock the server tests take, held until the program ends.
bool lockAccounts() {
    const std::string file = (std::filesystem::temp_directory_path() / "zuruzod-server-account.lock").string();
    const int fd = open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    return fd >= 0 && flock(fd, LOCK_EX) == 0;
}

} // namespace

int main(int argc, char** argv) {
    const char* password = std::getenv("ZURUZOD_TEST_SYSDBA_PASSWORD");
    if (argc != 3 || password == nullptr) {
        std::cerr << "usage: ZURUZOD_TEST_SYSDBA_PASSWORD=... server-hold DATABASE NUMBER-FIRM" << std::endl;
        return 2;
    }
    if (!lockAccounts()) {
        std::cerr << "server-hold: cannot lock the server's accounts" << std::endl;
        return 1;
    }
    const int numberFirm = std::atoi(argv[2]);
    const std::string user = environment::databaseUser(numberFirm);
    try {
        engine::fb::Connection admin;
        admin.attach(std::string("localhost:") + argv[1], {"user_name=SYSDBA", std::string("password=") + password});
        // Quoted: the name holds a dot and must keep its lower case.
        executeOn(admin, "CREATE OR ALTER USER \"" + user + "\" PASSWORD '" +
                             environment::databasePassword(numberFirm) + "' USING PLUGIN Srp");
        std::cout << "held" << std::endl;
        std::string ignored;
        while (std::getline(std::cin, ignored)) {
        }
        executeOn(admin, "DROP USER \"" + user + "\"");
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "server-hold: " << argv[1] << ": " << error.what() << std::endl;
        return 1;
    }
}
