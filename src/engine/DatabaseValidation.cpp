#include "engine/DatabaseValidation.h"

#include "engine/firebird/FbStatus.h"
#include "engine/firebird/ServiceManager.h"

#include <cctype>
#include <iberror.h>
#include <string_view>

namespace engine {
namespace {

// Report lines begin with the time of day ("01:47:27.44 ").
std::string withoutTime(const std::string& line) {
    size_t at = 0;
    while (at < line.size() &&
           (std::isdigit(static_cast<unsigned char>(line[at])) || line[at] == ':' || line[at] == '.')) {
        ++at;
    }
    while (at < line.size() && line[at] == ' ') {
        ++at;
    }
    return line.substr(at);
}

std::string reasonOf(const fb::FbError& error) {
    return fb::describeKind(error.kind()) + ": " + error.what();
}

} // namespace

std::vector<std::string> errorsOfReport(const std::vector<std::string>& report) {
    std::vector<std::string> errors;
    for (const auto& line : report) {
        const std::string text = withoutTime(line);
        if (text.starts_with("Error") || text.find("ERRORS found") != std::string::npos) {
            errors.push_back(text);
        }
    }
    return errors;
}

Validation validateInThisProcess(const std::string& path, const std::vector<std::string>& loginLines) {
    Validation result{path, Validation::Outcome::NotChecked, {}};
    fb::FailureKind embeddedFailure = fb::FailureKind::Other;
    // A server holds the files it has open, so the embedded engine cannot validate them.
    for (const char* serviceManager : {"service_mgr", "localhost:service_mgr"}) {
        try {
            result.findings = errorsOfReport(fb::validateOnline(serviceManager, path, loginLines));
            result.outcome = result.findings.empty() ? Validation::Outcome::Valid : Validation::Outcome::Damaged;
            return result;
        } catch (const fb::FbError& error) {
            // A consistency check that fails in the middle of the validation is damage it met; so is
            // a page that reads as encrypted, as the installation's databases never are (Firebird
            // tells that one by its text alone).
            if (error.kind() == fb::FailureKind::Damaged || error.has(isc_bug_check) ||
                std::string_view(error.what()).find("page appears encrypted") != std::string_view::npos) {
                result.findings = {reasonOf(error)};
                result.outcome = Validation::Outcome::Damaged;
                return result;
            }
            // The embedded engine's reason tells more than a server that is not there; a server
            // that is there and refuses tells more than the embedded engine finding the file held.
            if (result.findings.empty()) {
                embeddedFailure = error.kind();
                result.findings = {reasonOf(error)};
            } else if (embeddedFailure == fb::FailureKind::HeldElsewhere &&
                       error.kind() != fb::FailureKind::ServerUnreachable) {
                result.findings = {reasonOf(error)};
            }
        }
    }
    return result;
}

} // namespace engine
