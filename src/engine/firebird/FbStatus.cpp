#include "engine/firebird/FbStatus.h"

#include <algorithm>
#include <cerrno>
#include <iberror.h>

namespace engine::fb {
namespace {

std::string formatted(const Firebird::IStatus* status) {
    char buffer[4096];
    util()->formatStatus(buffer, sizeof buffer, const_cast<Firebird::IStatus*>(status));
    std::string text(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) {
        text.pop_back();
    }
    return text;
}

} // namespace

FbError::FbError(const std::string& message, std::vector<long> codes, std::string sqlState, int systemError)
    : std::runtime_error(message), m_codes(std::move(codes)), m_sqlState(std::move(sqlState)),
      m_systemError(systemError) {}

FbError::FbError(const std::string& context, const FbError& cause)
    : std::runtime_error(context + "\n" + cause.what()), m_codes(cause.m_codes), m_sqlState(cause.m_sqlState),
      m_systemError(cause.m_systemError) {}

bool FbError::has(long code) const {
    return std::find(m_codes.begin(), m_codes.end(), code) != m_codes.end();
}

FailureKind FbError::kind() const {
    if (has(isc_login)) {
        return FailureKind::LoginRefused;
    }
    if (has(isc_already_opened)) {
        return FailureKind::HeldElsewhere;
    }
    if (has(isc_lock_conflict) || has(isc_deadlock) || has(isc_update_conflict) || has(isc_lock_timeout) ||
        has(isc_concurrent_transaction)) {
        return FailureKind::LockConflict;
    }
    if (m_systemError == ENOSPC || m_systemError == EDQUOT) {
        return FailureKind::DiskFull;
    }
    if (m_systemError == EACCES || m_systemError == EPERM || m_systemError == EROFS || has(isc_no_priv) ||
        has(isc_read_only_database)) {
        return FailureKind::NoPermission;
    }
    if (has(isc_io_error) && m_systemError == ENOENT) {
        return FailureKind::FileMissing;
    }
    if (has(isc_bad_db_format) || has(isc_db_corrupt) || has(isc_badpage) || has(isc_bad_checksum) ||
        has(isc_wrong_ods) || has(isc_io_read_err) || (has(isc_io_error) && has(isc_random))) {
        return FailureKind::Damaged;
    }
    if (has(isc_network_error) || has(isc_net_read_err) || has(isc_net_write_err) || has(isc_conn_lost) ||
        has(isc_shutdown) || has(isc_att_shutdown)) {
        return FailureKind::ServerUnreachable;
    }
    if (has(isc_dsql_relation_err) || has(isc_dsql_field_err) || has(isc_dsql_procedure_err) || has(isc_gennotdef)) {
        return FailureKind::MissingObject;
    }
    return FailureKind::Other;
}

std::string describeKind(FailureKind kind) {
    switch (kind) {
    case FailureKind::FileMissing:
        return "файл не найден";
    case FailureKind::HeldElsewhere:
        return "база занята другой программой";
    case FailureKind::Damaged:
        return "файл повреждён или не является базой данных";
    case FailureKind::NoPermission:
        return "нет прав доступа";
    case FailureKind::LoginRefused:
        return "сервер Firebird не принял имя пользователя или пароль";
    case FailureKind::LockConflict:
        return "данные заняты другим подключением";
    case FailureKind::MissingObject:
        return "нет таблицы или столбца";
    case FailureKind::DiskFull:
        return "нет места на диске";
    case FailureKind::ServerUnreachable:
        return "нет связи с сервером Firebird";
    case FailureKind::Other:
        break;
    }
    return "ошибка Firebird";
}

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

FbError errorOf(const Firebird::IStatus* status) {
    std::vector<long> codes;
    std::string sqlState;
    int systemError = 0;
    const ISC_STATUS* v = const_cast<Firebird::IStatus*>(status)->getErrors();
    while (v && *v != isc_arg_end) {
        const ISC_STATUS arg = *v++;
        switch (arg) {
        case isc_arg_gds:
            codes.push_back(static_cast<long>(*v++));
            break;
        case isc_arg_sql_state:
            sqlState = reinterpret_cast<const char*>(*v++);
            break;
        case isc_arg_unix:
            systemError = static_cast<int>(*v++);
            break;
        case isc_arg_cstring:
            v += 2;
            break;
        default:
            ++v;
            break;
        }
    }
    return FbError(formatted(status), std::move(codes), std::move(sqlState), systemError);
}

} // namespace engine::fb
