#pragma once

#include "engine/firebird/Query.h"
#include "engine/firebird/Transaction.h"

namespace engine {

// How a read or a bulk write ends its transaction when it fails.
enum class OnFailure {
    Commit,   // what was done before the failure stays
    RollBack, // nothing of it stays
};

// Ends a transaction whose work failed, as `onFailure` says; never fails itself.
void endAfterFailure(fb::Transaction& transaction, OnFailure onFailure) noexcept;

// One reading operation on a query of the read transaction: it starts with the
// query closed and the transaction started, and ends with the query closed and
// the transaction committed. When the operation does not get to `finish`, the
// transaction is committed or rolled back as that operation's rule says.
class ReadScope {
public:
    ReadScope(fb::Query& query, fb::Transaction& transaction, OnFailure onFailure);
    ~ReadScope();
    ReadScope(const ReadScope&) = delete;
    ReadScope& operator=(const ReadScope&) = delete;

    // Closes the query and commits; a failed commit is thrown (and rolled back).
    void finish();

private:
    fb::Query& m_query;
    fb::Transaction& m_transaction;
    OnFailure m_onFailure;
    bool m_finished = false;
};

} // namespace engine
