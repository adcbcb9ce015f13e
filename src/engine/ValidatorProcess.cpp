#include "engine/DatabaseValidation.h"

#include "engine/InstallationLogin.h"
#include "platform/ChildProcess.h"
#include "platform/FileSystem.h"
#include "platform/StepBoundary.h"

#include <algorithm>
#include <charconv>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string_view>

namespace engine {
namespace {

using Outcome = Validation::Outcome;

constexpr std::string_view kValidatorName = "zuruzod-validate";

struct OutcomeWord {
    Outcome outcome;
    std::string_view word;
};
constexpr OutcomeWord kOutcomeWords[] = {{Outcome::Valid, "valid"},
                                         {Outcome::Damaged, "damaged"},
                                         {Outcome::NotChecked, "not-checked"},
                                         {Outcome::Unfinished, "unfinished"}};

std::string validatorPath() {
    const std::filesystem::path self = platform::executablePath();
    return (self.parent_path() / kValidatorName).string();
}

// A minute, and a second more for every 16 MiB: validation reads some 400 MiB a second from the
// cache, so the limit leaves room for a slow disk many times over and still ends a hang.
std::chrono::seconds timeLimitFor(const std::string& path) {
    if (const char* text = std::getenv("ZURUZOD_VALIDATION_SECONDS")) {
        unsigned seconds = 0;
        const auto [end, error] = std::from_chars(text, text + std::strlen(text), seconds);
        if (error == std::errc() && *end == '\0' && seconds > 0) {
            return std::chrono::seconds(seconds);
        }
    }
    return std::chrono::seconds(60 + platform::fileSize(path) / (16u << 20));
}

std::string oneLine(std::string text) {
    for (char& c : text) {
        if (c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return text;
}

// A stop asked for (a Ctrl-C, the window closed) cuts the validation short: the packs are in,
// and the check proves nothing either way.
Validation stopped(const std::string& path) {
    return {path, Outcome::NotChecked, {"проверка остановлена"}};
}

Validation fromChild(const std::string& path, const platform::ChildEnding& ending, std::chrono::seconds limit) {
    // An answer written is the check's verdict, however the validator ended after it (the engine
    // can crash or hang on its way out, a stop can come before it is reaped): found damage must
    // never give way to "not checked".
    const Validation answered = validationFromText(path, ending.output);
    if (answered.outcome != Outcome::Unfinished) {
        return answered;
    }
    using Kind = platform::ChildEnding::Kind;
    switch (ending.kind) {
    case Kind::Exited:
        if (ending.code == 0) {
            return answered;
        }
        return {path, Outcome::Unfinished, {"проверка прервана: код завершения " + std::to_string(ending.code)}};
    case Kind::Signalled:
        return {path,
                Outcome::Unfinished,
                {"проверка прервана сигналом " + std::to_string(ending.code) + " (" + strsignal(ending.code) + ")"}};
    case Kind::TimedOut:
        return {path, Outcome::Unfinished, {"проверка не закончилась за " + std::to_string(limit.count()) + " с"}};
    case Kind::GivenUp:
        return stopped(path);
    case Kind::NotStarted:
        break;
    }
    return {path,
            Outcome::NotChecked,
            {"программа проверки не запускается: " + validatorPath() + ": " + std::strerror(ending.code)}};
}

} // namespace

std::string validationAsText(const Validation& validation) {
    std::string text;
    for (const auto& [outcome, word] : kOutcomeWords) {
        if (outcome == validation.outcome) {
            text = std::string(word) + "\n";
        }
    }
    for (const auto& finding : validation.findings) {
        text += oneLine(finding) + "\n";
    }
    return text;
}

Validation validationFromText(const std::string& path, const std::string& text) {
    const size_t firstEnd = text.find('\n');
    const auto known = std::find_if(std::begin(kOutcomeWords), std::end(kOutcomeWords), [&](const OutcomeWord& word) {
        return firstEnd != std::string::npos && word.word == std::string_view(text).substr(0, firstEnd);
    });
    if (known == std::end(kOutcomeWords)) {
        return {path, Outcome::Unfinished, {"программа проверки не дала ответа"}};
    }
    Validation validation{path, known->outcome, {}};
    size_t at = firstEnd + 1;
    while (at < text.size()) {
        const size_t end = text.find('\n', at);
        validation.findings.push_back(text.substr(at, end == std::string::npos ? std::string::npos : end - at));
        at = end == std::string::npos ? text.size() : end + 1;
    }
    return validation;
}

Validation validateDatabase(const std::string& path) {
    std::string loginLines;
    for (const auto& line : installationLoginLines()) {
        loginLines += line + "\n";
    }
    if (platform::stopRequested()) {
        return stopped(path);
    }
    const std::chrono::seconds limit = timeLimitFor(path);
    return fromChild(path, platform::runChild(validatorPath(), {path}, loginLines, limit, platform::stopRequested),
                     limit);
}

} // namespace engine
