#include "platform/ChildProcess.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <clocale>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <poll.h>
#include <spawn.h>
#include <string_view>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return m_fd; }
    void reset(int fd = -1) {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
        m_fd = fd;
    }

private:
    int m_fd;
};

class SpawnActions {
public:
    SpawnActions() { ::posix_spawn_file_actions_init(&m_actions); }
    ~SpawnActions() { ::posix_spawn_file_actions_destroy(&m_actions); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;

    posix_spawn_file_actions_t* get() { return &m_actions; }

private:
    posix_spawn_file_actions_t m_actions;
};

class SpawnAttributes {
public:
    SpawnAttributes() { ::posix_spawnattr_init(&m_attributes); }
    ~SpawnAttributes() { ::posix_spawnattr_destroy(&m_attributes); }
    SpawnAttributes(const SpawnAttributes&) = delete;
    SpawnAttributes& operator=(const SpawnAttributes&) = delete;

    posix_spawnattr_t* get() { return &m_attributes; }

private:
    posix_spawnattr_t m_attributes;
};

// A socket in place of a pipe for the input: a child that ended before reading it costs an
// error return, not a SIGPIPE.
bool socketPair(Descriptor& parentEnd, Descriptor& childEnd) {
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
        return false;
    }
    parentEnd.reset(ends[0]);
    childEnd.reset(ends[1]);
    return true;
}

// The environment of this process with its own character set of file names: a child reads the
// paths it is given in the character set of its locale, which may name none (a service started
// without a locale) while this process took UTF-8.
std::vector<std::string> environmentWithOwnCharacterSet() {
    std::vector<std::string> variables;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string_view text = *variable;
        if (!text.starts_with("LC_ALL=") && !text.starts_with("LC_CTYPE=")) {
            variables.emplace_back(text);
        }
    }
    variables.push_back(std::string("LC_CTYPE=") + std::setlocale(LC_CTYPE, nullptr));
    return variables;
}

std::vector<char*> pointersTo(const std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (const auto& text : texts) {
        pointers.push_back(const_cast<char*>(text.c_str()));
    }
    pointers.push_back(nullptr);
    return pointers;
}

// A child's output is kept up to this much; the rest is read and dropped, so that a child that
// writes without end costs no memory and still ends at its time.
constexpr size_t kOutputKept = 4u << 20;

// The end of the wait for a child: its deadline, or its starter giving it up.
class WaitEnd {
public:
    WaitEnd(std::chrono::milliseconds limit, const std::function<bool()>& givenUp)
        : m_deadline(Clock::now() + limit), m_givenUp(givenUp) {}

    bool givenUp() const { return m_givenUp && m_givenUp(); }
    bool reached() const { return Clock::now() >= m_deadline || givenUp(); }
    // How long one wait may last: up to the deadline, and short enough to notice the giving up.
    int nextWait() const {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(m_deadline - Clock::now()).count();
        return static_cast<int>(std::clamp<long long>(left, 0, 200));
    }

private:
    Clock::time_point m_deadline;
    const std::function<bool()>& m_givenUp;
};

// Feeds the input and reads the output at the same time, until the child closes its output or
// the wait ends (false then): a child that writes before it reads can never block it.
bool exchange(int inputFd, const std::string& input, int outputFd, const WaitEnd& end, std::string& output) {
    size_t sent = 0;
    bool inputOpen = true;
    const auto endInput = [&] {
        ::shutdown(inputFd, SHUT_WR);
        inputOpen = false;
    };
    if (input.empty()) {
        endInput();
    }
    for (;;) {
        if (end.reached()) {
            return false;
        }
        std::array<pollfd, 2> wanted{pollfd{outputFd, POLLIN, 0}, pollfd{inputOpen ? inputFd : -1, POLLOUT, 0}};
        const int ready = ::poll(wanted.data(), wanted.size(), end.nextWait());
        if (ready < 0 && errno != EINTR) {
            return true;
        }
        if (ready <= 0) {
            continue;
        }
        if (inputOpen && wanted[1].revents != 0) {
            const ssize_t n = ::send(inputFd, input.data() + sent, input.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
            if (n > 0) {
                sent += static_cast<size_t>(n);
            }
            if ((n < 0 && errno != EINTR && errno != EAGAIN) || sent == input.size()) {
                endInput();
            }
        }
        if (wanted[0].revents == 0) {
            continue;
        }
        std::array<char, 4096> buffer;
        const ssize_t n = ::read(outputFd, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return true;
        }
        output.append(buffer.data(), std::min(static_cast<size_t>(n), kOutputKept - output.size()));
    }
}

// What a killed child wrote and was not read yet: its answer may be complete.
void drainOutput(int fd, std::string& output) {
    std::array<char, 4096> buffer;
    for (;;) {
        pollfd ready{fd, POLLIN, 0};
        if (::poll(&ready, 1, 0) != 1 || output.size() >= kOutputKept) {
            return;
        }
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n <= 0) {
            return;
        }
        output.append(buffer.data(), std::min(static_cast<size_t>(n), kOutputKept - output.size()));
    }
}

// A program started with SIGCHLD ignored (its starter's choice, kept across exec) has its
// children reaped by the kernel, and how one ended is lost: a failed child would read as one
// that ended well.
void keepChildrensEndings() {
    struct sigaction current {};
    if (::sigaction(SIGCHLD, nullptr, &current) == 0 && current.sa_handler == SIG_IGN) {
        struct sigaction standard {};
        standard.sa_handler = SIG_DFL;
        sigemptyset(&standard.sa_mask);
        ::sigaction(SIGCHLD, &standard, nullptr);
    }
}

// Waits for the child to end until the wait ends; false when it is still running then.
bool reap(pid_t child, const WaitEnd& end, int& status) {
    for (;;) {
        const pid_t ended = ::waitpid(child, &status, WNOHANG);
        if (ended == child || (ended < 0 && errno != EINTR)) {
            return true;
        }
        if (end.reached()) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

} // namespace

ChildEnding runChild(const std::string& program, const std::vector<std::string>& arguments, const std::string& input,
                     std::chrono::milliseconds limit, const std::function<bool()>& givenUp) {
    ChildEnding ending;
    keepChildrensEndings();
    Descriptor inputOurs, inputTheirs;
    int outputEnds[2];
    if (!socketPair(inputOurs, inputTheirs) || ::pipe2(outputEnds, O_CLOEXEC) != 0) {
        ending.code = errno;
        return ending;
    }
    Descriptor outputOurs(outputEnds[0]), outputTheirs(outputEnds[1]);

    SpawnActions actions;
    ::posix_spawn_file_actions_adddup2(actions.get(), inputTheirs.get(), STDIN_FILENO);
    ::posix_spawn_file_actions_adddup2(actions.get(), outputTheirs.get(), STDOUT_FILENO);
    ::posix_spawn_file_actions_addclosefrom_np(actions.get(), STDERR_FILENO + 1);
    // A group of its own: a Ctrl-C at the terminal reaches this process alone, which decides.
    SpawnAttributes attributes;
    ::posix_spawnattr_setpgroup(attributes.get(), 0);
    // Signals as a program expects them: this process may block the stop signals for a thread of
    // their own, or ignore some, and a child must not inherit that.
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    ::posix_spawnattr_setsigmask(attributes.get(), &none);
    ::posix_spawnattr_setsigdefault(attributes.get(), &all);
    ::posix_spawnattr_setflags(attributes.get(),
                               POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    std::vector<std::string> argumentTexts{program};
    argumentTexts.insert(argumentTexts.end(), arguments.begin(), arguments.end());
    const std::vector<std::string> variables = environmentWithOwnCharacterSet();
    pid_t child = 0;
    const int spawned = ::posix_spawnp(&child, program.c_str(), actions.get(), attributes.get(),
                                       pointersTo(argumentTexts).data(), pointersTo(variables).data());
    if (spawned != 0) {
        ending.code = spawned;
        return ending;
    }
    inputTheirs.reset();
    outputTheirs.reset();

    const WaitEnd end(limit, givenUp);
    int status = 0;
    if (!exchange(inputOurs.get(), input, outputOurs.get(), end, ending.output) || !reap(child, end, status)) {
        // The whole group: what the child started goes with it, and holds no file after.
        ::kill(-child, SIGKILL);
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        drainOutput(outputOurs.get(), ending.output);
        ending.kind = end.givenUp() ? ChildEnding::Kind::GivenUp : ChildEnding::Kind::TimedOut;
        return ending;
    }
    if (WIFSIGNALED(status)) {
        ending.kind = ChildEnding::Kind::Signalled;
        ending.code = WTERMSIG(status);
    } else {
        ending.kind = ChildEnding::Kind::Exited;
        ending.code = WEXITSTATUS(status);
    }
    return ending;
}

} // namespace platform
