#include "engine/firebird/Transaction.h"

#include "engine/firebird/FbStatus.h"

namespace engine::fb {

std::vector<unsigned char> Transaction::readParameters() {
    return {isc_tpb_version3, isc_tpb_read_committed, isc_tpb_rec_version, isc_tpb_nowait, isc_tpb_read};
}

std::vector<unsigned char> Transaction::writeParameters() {
    return {isc_tpb_version3, isc_tpb_write, isc_tpb_consistency, isc_tpb_wait};
}

Transaction::Transaction(Connection& connection, std::vector<unsigned char> parameters)
    : m_connection(connection), m_parameters(std::move(parameters)) {}

Transaction::~Transaction() {
    rollback();
}

void Transaction::start() {
    if (m_transaction) {
        return;
    }
    if (!m_connection.connected()) {
        throw FbError("the database is not open");
    }
    Status status;
    m_transaction = guarded([&] {
        return m_connection.handle()->startTransaction(&status, static_cast<unsigned>(m_parameters.size()),
                                                       m_parameters.data());
    });
}

void Transaction::commit() {
    if (!m_transaction) {
        return;
    }
    Status status;
    try {
        m_transaction->commit(&status);
        m_transaction = nullptr;
    } catch (const Firebird::FbException& error) {
        const std::string message = describe(error.getStatus());
        rollback();
        throw FbError(message);
    }
}

void Transaction::rollback() noexcept {
    if (!m_transaction) {
        return;
    }
    try {
        Status status;
        m_transaction->rollback(&status);
    } catch (const Firebird::FbException&) {
        m_transaction->release();
    }
    m_transaction = nullptr;
}

} // namespace engine::fb
