#include "engine/firebird/ServiceManager.h"

#include "engine/firebird/FbStatus.h"
#include "platform/Text.h"

namespace engine::fb {
namespace {

// The service attachment, detached (or at least let go) whatever happens.
class ServiceAttachment {
public:
    explicit ServiceAttachment(Firebird::IService* service) : m_service(service) {}
    ~ServiceAttachment() {
        try {
            Status status;
            m_service->detach(&status);
        } catch (const Firebird::FbException&) {
            m_service->release();
        }
    }
    ServiceAttachment(const ServiceAttachment&) = delete;
    ServiceAttachment& operator=(const ServiceAttachment&) = delete;
    Firebird::IService* operator->() const { return m_service; }

private:
    Firebird::IService* m_service;
};

} // namespace

std::string readServerVersion(const std::vector<std::string>& loginLines) {
    return guarded([&] {
        Status status;
        Firebird::IXpbBuilder* spb = util()->getXpbBuilder(&status, Firebird::IXpbBuilder::SPB_ATTACH, nullptr, 0);
        Firebird::IService* raw = nullptr;
        try {
            for (const auto& line : loginLines) {
                const auto equals = line.find('=');
                if (equals == std::string::npos) {
                    continue;
                }
                const std::string name = platform::upperAscii(platform::trimmed(line.substr(0, equals)));
                if (name == "USER_NAME") {
                    spb->insertString(&status, isc_spb_user_name, line.substr(equals + 1).c_str());
                } else if (name == "PASSWORD") {
                    spb->insertString(&status, isc_spb_password, line.substr(equals + 1).c_str());
                }
            }
            raw = dispatcher()->attachServiceManager(&status, "service_mgr", spb->getBufferLength(&status),
                                                     spb->getBuffer(&status));
        } catch (...) {
            spb->dispose();
            throw;
        }
        spb->dispose();
        ServiceAttachment service(raw);
        const unsigned char items[] = {isc_info_svc_server_version};
        unsigned char results[1024] = {};
        service->query(&status, 0, nullptr, sizeof items, items, sizeof results, results);
        const unsigned char* p = results;
        if (*p++ != isc_info_svc_server_version) {
            throw FbError("the service manager did not tell its version");
        }
        const auto length = static_cast<size_t>(isc_vax_integer(reinterpret_cast<const char*>(p), 2));
        p += 2;
        if (p + length > results + sizeof results) {
            throw FbError("the service manager's version text was cut short");
        }
        return std::string(reinterpret_cast<const char*>(p), length);
    });
}

} // namespace engine::fb
