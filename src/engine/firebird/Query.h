#pragma once

#include "engine/firebird/SqlValue.h"
#include "engine/firebird/Transaction.h"

#include <functional>
#include <string>
#include <vector>

namespace engine::fb {

// Sees every statement text just before it is sent; for traces and tests.
using StatementTrace = std::function<void(const std::string& sql)>;
void setStatementTrace(StatementTrace trace);

// An SQL query bound to one transaction. Its text is a list of lines sent
// joined by line breaks, with positional parameters ":p0", ":p1", ... bound
// from `Params` by their number. Opening or executing starts the transaction
// when it is not active. Every failure is thrown as FbError.
class Query {
public:
    explicit Query(Transaction& transaction);
    ~Query();
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    std::vector<std::string> SQL;
    std::vector<SqlValue> Params;

    // Runs a statement that yields rows and reads the first one.
    void open();
    // Runs a statement that yields no rows (a singleton result is kept as the row).
    void execute();
    bool eof() const { return m_eof; }
    void next();
    // Releases the cursor and the statement; harmless when nothing is open.
    void close() noexcept;
    bool isOpen() const { return m_statement != nullptr; }

    size_t fieldCount() const { return m_row.size(); }
    const SqlValue& field(size_t index) const;
    // A NULL reads as 0; a text that is no integer fails.
    std::int64_t fieldAsInteger(size_t index) const;
    // CHAR values come back without their blank padding.
    std::string fieldAsString(size_t index) const;

    Transaction& transaction() const { return m_transaction; }

private:
    void prepare();
    void fetch();

    Transaction& m_transaction;
    Firebird::IStatement* m_statement = nullptr;
    Firebird::IResultSet* m_cursor = nullptr;
    Firebird::IMessageMetadata* m_inputMeta = nullptr;
    Firebird::IMessageMetadata* m_outputMeta = nullptr;
    std::vector<unsigned char> m_inputBuffer;
    std::vector<unsigned char> m_outputBuffer;
    std::vector<SqlValue> m_row;
    bool m_eof = true;
};

} // namespace engine::fb
