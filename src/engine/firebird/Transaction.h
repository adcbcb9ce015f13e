#pragma once

#include "engine/firebird/Connection.h"

#include <vector>

namespace engine::fb {

// A transaction of one connection with fixed parameters. It may be started,
// ended and started again; one still active when it goes is rolled back.
class Transaction {
public:
    // read_committed, rec_version, nowait, read
    static std::vector<unsigned char> readParameters();
    // write, consistency, wait
    static std::vector<unsigned char> writeParameters();
    // The same, giving up a lock wait after the seconds given.
    static std::vector<unsigned char> writeParameters(int lockTimeoutSeconds);

    Transaction(Connection& connection, std::vector<unsigned char> parameters);
    ~Transaction() = default;
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool active() const { return m_transaction != nullptr; }
    // Starts the transaction when it is not active.
    void start();
    // A failed commit rolls the transaction back and throws.
    void commit();
    // Never fails: a rollback the server refuses still lets the transaction go.
    void rollback() noexcept;
    Firebird::ITransaction* handle() const { return m_transaction.get(); }
    Connection& connection() const { return m_connection; }

private:
    Connection& m_connection;
    std::vector<unsigned char> m_parameters;
    TransactionHandle m_transaction;
};

} // namespace engine::fb
