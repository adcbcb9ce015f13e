#include "engine/firebird/ServiceManager.h"

#include "engine/firebird/Connection.h"

namespace engine::fb {

std::string readServerVersion(const std::vector<std::string>& loginLines) {
    ParameterBlock spb(Firebird::IXpbBuilder::SPB_ATTACH);
    addLogin(spb, loginLines, isc_spb_user_name, isc_spb_password);
    return guarded([&] {
        Status status;
        ServiceHandle service(dispatcher()->attachServiceManager(&status, "service_mgr", spb.length(), spb.buffer()));
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

std::vector<std::string> validateOnline(const std::string& serviceManager, const std::string& path,
                                        const std::vector<std::string>& loginLines) {
    ParameterBlock attach(Firebird::IXpbBuilder::SPB_ATTACH);
    addLogin(attach, loginLines, isc_spb_user_name, isc_spb_password);
    ParameterBlock start(Firebird::IXpbBuilder::SPB_START);
    start.addTag(isc_action_svc_validate);
    start.addString(isc_spb_dbname, path);
    return guarded([&] {
        Status status;
        ServiceHandle service(
            dispatcher()->attachServiceManager(&status, serviceManager.c_str(), attach.length(), attach.buffer()));
        service->start(&status, start.length(), start.buffer());
        std::vector<std::string> lines;
        const unsigned char items[] = {isc_info_svc_line};
        // The report comes a line at a query; an empty line ends it.
        for (;;) {
            unsigned char results[4096] = {};
            service->query(&status, 0, nullptr, sizeof items, items, sizeof results, results);
            const unsigned char* p = results;
            if (*p++ != isc_info_svc_line) {
                throw FbError("the service manager sent no report line");
            }
            const auto length = static_cast<size_t>(isc_vax_integer(reinterpret_cast<const char*>(p), 2));
            p += 2;
            if (length == 0) {
                return lines;
            }
            if (p + length > results + sizeof results) {
                throw FbError("a line of the validation report was cut short");
            }
            lines.emplace_back(reinterpret_cast<const char*>(p), length);
        }
    });
}

} // namespace engine::fb
