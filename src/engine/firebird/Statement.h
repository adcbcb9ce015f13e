#pragma once

#include "engine/firebird/SqlValue.h"
#include "engine/firebird/Transaction.h"

#include <functional>
#include <string>
#include <vector>

namespace engine::fb {

// Sees every statement text just before it is prepared; for traces and tests.
using StatementTrace = std::function<void(const std::string& sql)>;
void setStatementTrace(StatementTrace trace);

// A statement prepared once and run any number of times with new parameter
// values. Its text is a list of lines sent joined by line breaks, with
// positional parameters ":p0", ":p1", ... bound by their number. The input
// layout comes from the statement's own parameter types, so it does not change
// with each value's length; texts go into text blobs through the blob interface
// whatever their size; a text too long for its parameter fails, it is never
// cut. Every failure is thrown as FbError.
class Statement {
public:
    // Prepares the lines in the transaction's attachment, starting the transaction when it is not active.
    Statement(Transaction& transaction, const std::vector<std::string>& lines);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Runs a statement that yields no rows (a singleton result is kept as the row).
    void execute(const std::vector<SqlValue>& params = {});
    // Opens the rows of a selecting statement; fetch() then steps through them.
    void open(const std::vector<SqlValue>& params = {});
    // Reads the next row; false when there is none (the cursor is then closed).
    bool fetch();
    void closeCursor() noexcept;
    bool cursorOpen() const;

    const std::vector<SqlValue>& row() const { return m_row; }
    // The lines as they were sent.
    const std::string& text() const { return m_text; }
    Transaction& transaction() const { return m_transaction; }

private:
    struct Input;
    struct Output;

    void bind(const std::vector<SqlValue>& params);
    void readRow();

    Transaction& m_transaction;
    std::string m_text;
    std::vector<int> m_parameterOrder;
    StatementHandle m_statement;
    CursorHandle m_cursor;
    std::unique_ptr<Input> m_input;
    std::unique_ptr<Output> m_output;
    std::vector<SqlValue> m_row;
};

} // namespace engine::fb
