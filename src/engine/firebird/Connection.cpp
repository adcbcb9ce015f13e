#include "engine/firebird/Connection.h"

#include "engine/firebird/FbStatus.h"
#include "platform/Text.h"

namespace engine::fb {
namespace {

// An XPB builder that is disposed of whatever happens.
class ParameterBlock {
public:
    explicit ParameterBlock(unsigned kind) {
        Status status;
        m_builder = guarded([&] { return util()->getXpbBuilder(&status, kind, nullptr, 0); });
    }
    ~ParameterBlock() { m_builder->dispose(); }
    ParameterBlock(const ParameterBlock&) = delete;
    ParameterBlock& operator=(const ParameterBlock&) = delete;

    void addString(unsigned char tag, const std::string& value) {
        Status status;
        guarded([&] { m_builder->insertString(&status, tag, value.c_str()); });
    }
    void addInt(unsigned char tag, int value) {
        Status status;
        guarded([&] { m_builder->insertInt(&status, tag, value); });
    }
    unsigned length() {
        Status status;
        return guarded([&] { return m_builder->getBufferLength(&status); });
    }
    const unsigned char* buffer() {
        Status status;
        return guarded([&] { return m_builder->getBuffer(&status); });
    }

private:
    Firebird::IXpbBuilder* m_builder = nullptr;
};

void addLogin(ParameterBlock& dpb, const std::vector<std::string>& loginLines) {
    for (const auto& line : loginLines) {
        const auto equals = line.find('=');
        if (equals == std::string::npos) {
            continue;
        }
        const std::string name = platform::upperAscii(platform::trimmed(line.substr(0, equals)));
        const std::string value = line.substr(equals + 1);
        if (name == "USER_NAME") {
            dpb.addString(isc_dpb_user_name, value);
        } else if (name == "PASSWORD") {
            dpb.addString(isc_dpb_password, value);
        }
    }
}

} // namespace

Connection::~Connection() {
    close();
}

void Connection::attach(const std::string& path, const std::vector<std::string>& loginLines) {
    close();
    ParameterBlock dpb(Firebird::IXpbBuilder::DPB);
    addLogin(dpb, loginLines);
    dpb.addString(isc_dpb_lc_ctype, "UTF8");
    Status status;
    m_attachment =
        guarded([&] { return dispatcher()->attachDatabase(&status, path.c_str(), dpb.length(), dpb.buffer()); });
    m_path = path;
}

void Connection::create(const std::string& path, const std::vector<std::string>& loginLines,
                        const CreateOptions& options) {
    close();
    ParameterBlock dpb(Firebird::IXpbBuilder::DPB);
    addLogin(dpb, loginLines);
    dpb.addString(isc_dpb_lc_ctype, "UTF8");
    dpb.addString(isc_dpb_set_db_charset, options.defaultCharacterSet);
    dpb.addInt(isc_dpb_page_size, options.pageSize);
    dpb.addInt(isc_dpb_sql_dialect, 3);
    dpb.addInt(isc_dpb_force_write, options.forcedWrites ? 1 : 0);
    Status status;
    m_attachment =
        guarded([&] { return dispatcher()->createDatabase(&status, path.c_str(), dpb.length(), dpb.buffer()); });
    m_path = path;
}

void Connection::close() noexcept {
    if (!m_attachment) {
        return;
    }
    try {
        Status status;
        m_attachment->detach(&status);
    } catch (const Firebird::FbException&) {
        m_attachment->release();
    }
    m_attachment = nullptr;
    m_path.clear();
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
