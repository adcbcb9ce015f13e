#include "engine/firebird/FbStatus.h"

namespace engine::fb {

Firebird::IMaster* master() {
    static Firebird::IMaster* instance = Firebird::fb_get_master_interface();
    return instance;
}

Firebird::IUtil* util() {
    return master()->getUtilInterface();
}

Firebird::IProvider* dispatcher() {
    static Firebird::IProvider* provider = master()->getDispatcher();
    return provider;
}

Status::Status() : m_wrapper(master()->getStatus()) {}

Status::~Status() {
    m_wrapper.dispose();
}

std::string describe(const Firebird::IStatus* status) {
    char buffer[2048];
    util()->formatStatus(buffer, sizeof buffer, const_cast<Firebird::IStatus*>(status));
    std::string text(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) {
        text.pop_back();
    }
    return text;
}

} // namespace engine::fb
