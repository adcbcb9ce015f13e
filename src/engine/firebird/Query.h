#pragma once

#include "engine/firebird/SqlValue.h"
#include "engine/firebird/Statement.h"
#include "engine/firebird/Transaction.h"

#include <memory>
#include <string>
#include <vector>

namespace engine::fb {

// An SQL query bound to one transaction, in the shape the data module uses it:
// its text is a list of lines, its parameters ":p0", ":p1", ... take their
// values from `Params` by their number. Opening or executing prepares the text,
// starting the transaction when it is not active. Every failure is thrown as FbError.
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

    size_t fieldCount() const { return m_statement ? m_statement->row().size() : 0; }
    const SqlValue& field(size_t index) const;
    // An integer; a NULL reads as 0. A number with a fraction, or a text that is no whole number, fails.
    std::int64_t fieldAsInteger(size_t index) const;
    // Any number as a floating-point value; a NULL reads as 0.
    double fieldAsDouble(size_t index) const;
    // The value as text (see toText); CHAR values come back without their blank padding.
    std::string fieldAsString(size_t index) const;

    Transaction& transaction() const { return m_transaction; }

private:
    void prepare();

    Transaction& m_transaction;
    std::unique_ptr<Statement> m_statement;
    bool m_eof = true;
};

// The integer a value holds: a NULL is 0; a number with a fraction or a text that is no whole number fails.
std::int64_t integerOf(const SqlValue& value);
// Any number as a floating-point value; a NULL is 0; a text that is no number fails.
double doubleOf(const SqlValue& value);

} // namespace engine::fb
