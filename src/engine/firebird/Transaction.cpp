#include "engine/firebird/Transaction.h"

namespace engine::fb {

std::vector<unsigned char> Transaction::readParameters() {
    return {isc_tpb_version3, isc_tpb_read_committed, isc_tpb_rec_version, isc_tpb_nowait, isc_tpb_read};
}

std::vector<unsigned char> Transaction::writeParameters() {
    return {isc_tpb_version3, isc_tpb_write, isc_tpb_consistency, isc_tpb_wait};
}

std::vector<unsigned char> Transaction::writeParameters(int lockTimeoutSeconds) {
    auto parameters = writeParameters();
    parameters.push_back(isc_tpb_lock_timeout);
    parameters.push_back(4);
    for (int shift = 0; shift < 32; shift += 8) {
        parameters.push_back(static_cast<unsigned char>((lockTimeoutSeconds >> shift) & 0xff));
    }
    return parameters;
}

Transaction::Transaction(Connection& connection, std::vector<unsigned char> parameters)
    : m_connection(connection), m_parameters(std::move(parameters)) {}

void Transaction::start() {
    if (m_transaction) {
        return;
    }
    if (!m_connection.connected()) {
        throw FbError("the database is not open");
    }
    Status status;
    m_transaction.reset(guarded([&] {
        return m_connection.handle()->startTransaction(&status, static_cast<unsigned>(m_parameters.size()),
                                                       m_parameters.data());
    }));
}

void Transaction::commit() {
    try {
        endWith(m_transaction, [](Firebird::ITransaction* t, Firebird::ThrowStatusWrapper* s) { t->commit(s); });
    } catch (const FbError&) {
        rollback();
        throw;
    }
}

void Transaction::rollback() noexcept {
    m_transaction.reset();
}

} // namespace engine::fb
