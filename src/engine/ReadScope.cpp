#include "engine/ReadScope.h"

namespace engine {

void endAfterFailure(fb::Transaction& transaction, OnFailure onFailure) noexcept {
    if (onFailure == OnFailure::Commit) {
        try {
            transaction.commit();
        } catch (const fb::FbError&) {
            // A failed commit rolled the transaction back already.
        }
    } else {
        transaction.rollback();
    }
}

ReadScope::ReadScope(fb::Query& query, fb::Transaction& transaction, OnFailure onFailure)
    : m_query(query), m_transaction(transaction), m_onFailure(onFailure) {
    m_query.close();
    m_transaction.start();
}

ReadScope::~ReadScope() {
    if (m_finished) {
        return;
    }
    m_query.close();
    endAfterFailure(m_transaction, m_onFailure);
}

void ReadScope::finish() {
    m_query.close();
    m_finished = true;
    m_transaction.commit();
}

} // namespace engine
