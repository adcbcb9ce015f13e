#pragma once

#include "engine/firebird/SqlValue.h"
#include "engine/firebird/Transaction.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace engine::fb {

// Sees every statement text just before it is prepared; for traces and tests.
using StatementTrace = std::function<void(const std::string& sql)>;
void setStatementTrace(StatementTrace trace);

// With ZURUZOD_STATEMENT_TIMES=1 in the environment every statement tells on
// standard error, when it is freed, how long it took to prepare, how long its
// executions, opens and fetches took in all, and how often it ran: one line
// "statement SECONDS s, prepare SECONDS s, RUNS runs, ROWS rows: SQL".
bool statementTimesOn();

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

    // Gathers the runs of execute() and sends `perTrip` of them at a time as one EXECUTE
    // BLOCK, prepared once, that carries their parameter sets; for attachments where every
    // run is a round trip. Only a writing statement (INSERT, UPDATE, DELETE) without a
    // result, whose parameter types a block can declare, gathers; the answer says whether
    // it does. A block that fails is run again one set at a time, so that the rows before
    // the failing set are written and the failure is the one that set gives on its own;
    // a block that fails because the server is gone fails as it is.
    bool gatherRuns(size_t perTrip);
    // Sends the runs still gathered; the writer calls it before its commit.
    void sendGathered();

    const std::vector<SqlValue>& row() const { return m_row; }
    // The lines as they were sent.
    const std::string& text() const { return m_text; }
    Transaction& transaction() const { return m_transaction; }

private:
    struct Input;
    struct Output;

    void bind(const std::vector<SqlValue>& params);
    void readRow();
    void tellTimes() const;
    void run(const std::vector<SqlValue>& params);
    void sendBlock();
    void runOneByOne(std::vector<std::vector<SqlValue>>& runs);

    struct Gathering;

    // Time spent with the server, kept only when statement times are on.
    class Timed;
    using Clock = std::chrono::steady_clock;

    Transaction& m_transaction;
    std::string m_text;
    std::vector<int> m_parameterOrder;
    StatementHandle m_statement;
    CursorHandle m_cursor;
    std::unique_ptr<Input> m_input;
    std::unique_ptr<Output> m_output;
    std::vector<SqlValue> m_row;
    std::unique_ptr<Gathering> m_gathering;
    bool m_timed = false;
    Clock::duration m_prepareTime{};
    Clock::duration m_runTime{};
    std::size_t m_runs = 0;
    std::size_t m_rows = 0;
};

} // namespace engine::fb
