#include "engine/firebird/Connection.h"

#include "engine/firebird/Statement.h"
#include "engine/firebird/Transaction.h"
#include "platform/Text.h"

namespace engine::fb {

ParameterBlock::ParameterBlock(unsigned kind) {
    Status status;
    m_builder.reset(guarded([&] { return util()->getXpbBuilder(&status, kind, nullptr, 0); }));
}

void ParameterBlock::addString(unsigned char tag, const std::string& value) {
    Status status;
    guarded([&] { m_builder->insertString(&status, tag, value.c_str()); });
}

void ParameterBlock::addInt(unsigned char tag, int value) {
    Status status;
    guarded([&] { m_builder->insertInt(&status, tag, value); });
}

void ParameterBlock::addTag(unsigned char tag) {
    Status status;
    guarded([&] { m_builder->insertTag(&status, tag); });
}

unsigned ParameterBlock::length() {
    Status status;
    return guarded([&] { return m_builder->getBufferLength(&status); });
}

const unsigned char* ParameterBlock::buffer() {
    Status status;
    return guarded([&] { return m_builder->getBuffer(&status); });
}

void addLogin(ParameterBlock& block, const std::vector<std::string>& loginLines, unsigned char userTag,
              unsigned char passwordTag) {
    for (const auto& line : loginLines) {
        const auto equals = line.find('=');
        if (equals == std::string::npos) {
            continue;
        }
        const std::string name = platform::upperAscii(platform::trimmed(line.substr(0, equals)));
        const std::string value = line.substr(equals + 1);
        if (name == "USER_NAME") {
            block.addString(userTag, value);
        } else if (name == "PASSWORD") {
            block.addString(passwordTag, value);
        }
    }
}

void Connection::attach(const std::string& path, const std::vector<std::string>& loginLines) {
    close();
    ParameterBlock dpb(Firebird::IXpbBuilder::DPB);
    addLogin(dpb, loginLines, isc_dpb_user_name, isc_dpb_password);
    dpb.addString(isc_dpb_lc_ctype, "UTF8");
    Status status;
    m_attachment.reset(
        guarded([&] { return dispatcher()->attachDatabase(&status, path.c_str(), dpb.length(), dpb.buffer()); }));
    m_path = path;
}

void Connection::create(const std::string& path, const std::vector<std::string>& loginLines,
                        const CreateOptions& options) {
    close();
    ParameterBlock dpb(Firebird::IXpbBuilder::DPB);
    addLogin(dpb, loginLines, isc_dpb_user_name, isc_dpb_password);
    dpb.addString(isc_dpb_lc_ctype, "UTF8");
    dpb.addString(isc_dpb_set_db_charset, options.defaultCharacterSet);
    dpb.addInt(isc_dpb_page_size, options.pageSize);
    dpb.addInt(isc_dpb_sql_dialect, 3);
    dpb.addInt(isc_dpb_force_write, options.forcedWrites ? 1 : 0);
    Status status;
    m_attachment.reset(
        guarded([&] { return dispatcher()->createDatabase(&status, path.c_str(), dpb.length(), dpb.buffer()); }));
    m_path = path;
}

bool Connection::remote() {
    if (!m_remote) {
        Transaction transaction(*this, Transaction::readParameters());
        {
            Statement protocol(transaction, {"SELECT RDB$GET_CONTEXT('SYSTEM', 'NETWORK_PROTOCOL') FROM RDB$DATABASE"});
            protocol.execute();
            m_remote = !protocol.row().empty() && !isNull(protocol.row()[0]);
        }
        transaction.commit();
    }
    return *m_remote;
}

void Connection::close() noexcept {
    m_remote.reset();
    m_attachment.reset();
    m_path.clear();
}

void Connection::abandon() noexcept {
    if (!m_attachment) {
        return;
    }
    try {
        Status status;
        m_attachment->cancelOperation(&status, fb_cancel_abort);
    } catch (const Firebird::FbException&) {
        // An attachment that is closed already needs nothing more.
    }
}

bool Connection::ping() noexcept {
    if (!m_attachment) {
        return false;
    }
    try {
        Status status;
        m_attachment->ping(&status);
        return true;
    } catch (const Firebird::FbException&) {
        return false;
    }
}

} // namespace engine::fb
