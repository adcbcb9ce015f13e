#include "engine/ReadScope.h"

namespace engine {

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
    if (m_onFailure == OnFailure::Commit) {
        try {
            m_transaction.commit();
        } catch (const fb::FbError&) {
            // A failed commit rolled the transaction back already.
        }
    } else {
        m_transaction.rollback();
    }
}

void ReadScope::finish() {
    m_query.close();
    m_finished = true;
    m_transaction.commit();
}

} // namespace engine
