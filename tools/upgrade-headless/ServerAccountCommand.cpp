#include "ServerAccountCommand.h"

#include "engine/DatabaseSlots.h"
#include "engine/ServerAccount.h"
#include "engine/firebird/FbStatus.h"
#include "environment/DatabasePassword.h"
#include "environment/KvSetting.h"
#include "platform/FileSystem.h"
#include "run/InstallationStatus.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace headless {
namespace {

constexpr int kDone = 0;
constexpr int kRefused = 1;
constexpr int kCannotStart = 2;

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The terminal and its settings while echo is off, for the signal handler below.
int g_silencedTerminal = -1;
termios g_echoing{};

// A signal that ends the process while the password is typed puts the echo back first, so that
// the shell it returns to is not left without echo.
extern "C" void restoreEchoAndEnd(int signal) {
    ::tcsetattr(g_silencedTerminal, TCSANOW, &g_echoing);
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// Echo off on the terminal for its lifetime, also when a signal ends the process.
class EchoOff {
public:
    explicit EchoOff(int terminal) : m_terminal(terminal), m_silenced(::tcgetattr(terminal, &m_before) == 0) {
        if (!m_silenced) {
            return;
        }
        g_silencedTerminal = terminal;
        g_echoing = m_before;
        struct sigaction action {};
        action.sa_handler = restoreEchoAndEnd;
        sigemptyset(&action.sa_mask);
        for (size_t i = 0; i < std::size(kEndingSignals); ++i) {
            ::sigaction(kEndingSignals[i], &action, &m_handlers[i]);
        }
        termios silent = m_before;
        silent.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        ::tcsetattr(terminal, TCSAFLUSH, &silent);
    }
    ~EchoOff() {
        if (!m_silenced) {
            return;
        }
        ::tcsetattr(m_terminal, TCSAFLUSH, &m_before);
        for (size_t i = 0; i < std::size(kEndingSignals); ++i) {
            ::sigaction(kEndingSignals[i], &m_handlers[i], nullptr);
        }
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

private:
    int m_terminal;
    termios m_before{};
    bool m_silenced;
    struct sigaction m_handlers[std::size(kEndingSignals)]{};
};

// The terminal of the process, with echo off while the password is typed.
std::optional<std::string> askWithoutEcho(const std::string& prompt) {
    const int terminal = ::open("/dev/tty", O_RDWR | O_CLOEXEC);
    if (terminal < 0) {
        return std::nullopt;
    }
    std::string answer;
    {
        const EchoOff silent(terminal);
        [[maybe_unused]] const auto shown = ::write(terminal, prompt.data(), prompt.size());
        char c = 0;
        while (::read(terminal, &c, 1) == 1 && c != '\n') {
            answer += c;
        }
    }
    [[maybe_unused]] const auto ended = ::write(terminal, "\n", 1);
    ::close(terminal);
    return answer;
}

// The first database of the set that is there: the server opens it for the administrator's login.
std::string databaseOfTheSet() {
    for (const engine::Slot slot : engine::kJournalOrder) {
        const std::string path = engine::slotPath(slot);
        if (!path.empty() && platform::fileExists(path)) {
            return path;
        }
    }
    return {};
}

// Whatever a server answers, the installation's password never reaches the output.
std::string withoutPassword(std::string text, const std::string& password) {
    for (auto at = text.find(password); !password.empty() && at != std::string::npos; at = text.find(password)) {
        text.replace(at, password.size(), "********");
    }
    return text;
}

} // namespace

int setUpServerAccount() {
    if (const std::string unreadable = run::readInstallationLocations(); !unreadable.empty()) {
        std::cerr << "upgrade-headless: " << unreadable << "." << std::endl;
        return kCannotStart;
    }
    const int number = environment::NumberFirm;
    if (number < 1) {
        std::cerr << "upgrade-headless: the installation number is 0: the program logs in as ISC_USER with "
                     "ISC_PASSWORD and needs no account of its own."
                  << std::endl;
        return kCannotStart;
    }
    const std::string database = databaseOfTheSet();
    if (database.empty()) {
        std::cerr << "upgrade-headless: no database of the installation in " << environment::kvSetting.KVDir.dirKalver
                  << " for the server to open." << std::endl;
        return kCannotStart;
    }
    const std::string admin = variable("ISC_USER").empty() ? "SYSDBA" : variable("ISC_USER");
    std::optional<std::string> adminPassword = variable("ISC_PASSWORD");
    if (adminPassword->empty()) {
        adminPassword = askWithoutEcho("Password of " + admin + " on the Firebird server: ");
    }
    if (!adminPassword || adminPassword->empty()) {
        std::cerr << "upgrade-headless: set ISC_PASSWORD (and ISC_USER when not SYSDBA), or run server-account on a "
                     "terminal to be asked for the password."
                  << std::endl;
        return kCannotStart;
    }
    const std::string user = environment::databaseUser(number);
    const std::string password = environment::databasePassword(number);
    try {
        const engine::AccountChange change =
            engine::setServerAccount(database, {"user_name=" + admin, "password=" + *adminPassword}, user, password);
        std::cout << "The Firebird server " << (change == engine::AccountChange::Created ? "has a new user " : "knows ")
                  << user << (change == engine::AccountChange::Created ? "" : " already; its password was set again")
                  << ", with the installation's database password (never shown): the program and upgrade-headless "
                     "log in with it."
                  << std::endl;
        return kDone;
    } catch (const engine::fb::FbError& error) {
        std::cerr << "upgrade-headless: the server did not take the user " << user << " from " << admin << ": "
                  << withoutPassword(engine::fb::describeKind(error.kind()) + " (" + error.what() + ")", password)
                  << std::endl;
        return kRefused;
    }
}

} // namespace headless
