#pragma once

#include "engine/firebird/Query.h"
#include "engine/firebird/Transaction.h"

namespace engine {

// One reading operation on a query of the read transaction: it starts with the
// query closed and the transaction started, and ends with the query closed and
// the transaction committed. When the operation does not get to `finish`, the
// transaction is committed or rolled back as that operation's rule says.
class ReadScope {
public:
    enum class OnFailure { Commit, RollBack };

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
