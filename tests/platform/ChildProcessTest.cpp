#include "platform/ChildProcess.h"
#include "platform/FileSystem.h"
#include "support/TestInstallation.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <pthread.h>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace {

using Kind = platform::ChildEnding::Kind;
using namespace std::chrono_literals;

struct ChildCase {
    const char* name;
    const char* script;
    std::string input;
    Kind kind;
    int code;
    std::string output;
};

platform::ChildEnding runScript(const std::string& script, const std::string& input, std::chrono::milliseconds limit,
                                const std::function<bool()>& givenUp = {}) {
    return platform::runChild("/bin/sh", {"-c", script}, input, limit, givenUp);
}

TEST(ChildProcess, EndsAsTheChildEndsAndKillsOneThatOutlivesItsTime) {
    const std::string bigInput(300000, 'i');
    const ChildCase cases[] = {
        {"reads its input and answers", "read line; echo \"got $line\"; echo second", "hello\n", Kind::Exited, 0,
         "got hello\nsecond\n"},
        {"ends with a status", "echo partial; exit 3", "", Kind::Exited, 3, "partial\n"},
        {"killed by a signal", "kill -SEGV $$", "", Kind::Signalled, SIGSEGV, ""},
        // Neither a child that never reads its input nor one that writes more than a pipe holds
        // may block the parent.
        {"never reads a large input", "exit 0", bigInput, Kind::Exited, 0, ""},
        {"writes a large output", "head -c 200000 /dev/zero | tr '\\0' o", "", Kind::Exited, 0,
         std::string(200000, 'o')},
        {"writes a large output before it reads a large input", "head -c 200000 /dev/zero | tr '\\0' o; wc -c",
         bigInput, Kind::Exited, 0, std::string(200000, 'o') + "300000\n"},
        {"writes without end", "exec cat /dev/zero", "", Kind::TimedOut, 0, std::string(4u << 20, '\0')},
        {"hangs", "echo started; exec sleep 60", "", Kind::TimedOut, 0, "started\n"},
        {"closes its output and hangs", "exec >&-; exec sleep 60", "", Kind::TimedOut, 0, ""},
    };
    for (const auto& c : cases) {
        const auto started = std::chrono::steady_clock::now();
        const platform::ChildEnding ending = runScript(c.script, c.input, 1500ms);
        EXPECT_EQ(ending.kind, c.kind) << c.name;
        if (c.kind != Kind::TimedOut) {
            EXPECT_EQ(ending.code, c.code) << c.name;
        }
        EXPECT_EQ(ending.output, c.output) << c.name;
        EXPECT_LT(std::chrono::steady_clock::now() - started, 10s) << c.name;
    }
}

// What the child started ends with it at its time: a process left behind could hold a file.
TEST(ChildProcess, AChildKilledAtItsTimeTakesWhatItStartedWithIt) {
    const platform::ChildEnding ending = runScript("sleep 60 & echo $!; exec sleep 60", "", 1000ms);
    ASSERT_EQ(ending.kind, Kind::TimedOut);
    const std::string stat = "/proc/" + ending.output.substr(0, ending.output.find('\n')) + "/stat";
    std::this_thread::sleep_for(200ms);
    std::string state;
    // Gone, or a zombie its new parent has not yet reaped.
    if (platform::readWholeFile(stat, state)) {
        EXPECT_EQ(state.substr(state.rfind(')') + 2, 1), "Z") << state;
    }
}

// The program blocks its stop signals for a thread of its own and a shell may ignore Ctrl-C for
// what it starts in the background; a child inherits neither, so it still ends as signals say.
TEST(ChildProcess, TheChildHasNoSignalBlockedOrIgnored) {
    sigset_t stop, before;
    sigemptyset(&stop);
    sigaddset(&stop, SIGTERM);
    ASSERT_EQ(::pthread_sigmask(SIG_BLOCK, &stop, &before), 0);
    const auto ignoredBefore = std::signal(SIGINT, SIG_IGN);
    // No shell between: a shell clears its mask on its own.
    const platform::ChildEnding ending =
        platform::runChild("sed", {"-n", "s/^Sig\\(Blk\\|Ign\\):\\t/0x/p", "/proc/self/status"}, "", 5000ms);
    std::signal(SIGINT, ignoredBefore);
    ::pthread_sigmask(SIG_SETMASK, &before, nullptr);
    ASSERT_EQ(ending.kind, Kind::Exited);
    std::istringstream masks(ending.output);
    unsigned long long blocked = 0, ignored = 0;
    masks >> std::hex >> blocked >> ignored;
    ASSERT_TRUE(masks) << ending.output;
    // The C library keeps its own signals (past 31) to itself.
    const unsigned long long standard = (1ull << 31) - 1;
    EXPECT_EQ(blocked & standard, 0u) << ending.output;
    EXPECT_EQ(ignored & standard, 0u) << ending.output;
}

// Started by a program that ignores SIGCHLD, this one still learns how its child ended.
TEST(ChildProcess, AChildsEndingIsKnownWhenSigchldWasIgnored) {
    const auto before = std::signal(SIGCHLD, SIG_IGN);
    const platform::ChildEnding ending = runScript("exit 3", "", 5000ms);
    std::signal(SIGCHLD, before);
    EXPECT_EQ(ending.kind, Kind::Exited);
    EXPECT_EQ(ending.code, 3);
}

TEST(ChildProcess, AProgramThatIsNotThereIsNotStarted) {
    const platform::ChildEnding ending = platform::runChild("/nonexistent/zuruzod-validate", {}, "", 1000ms);
    EXPECT_EQ(ending.kind, Kind::NotStarted);
    EXPECT_EQ(ending.code, ENOENT);
}

// A database file this process has open must not stay open in a child: its lock would outlive
// this process letting go of the file.
TEST(ChildProcess, TheChildGetsNoneOfTheParentsOpenFiles) {
    testing_support::TempDir folder;
    const std::string path = folder.path() + "held.fdb";
    const int opened = ::open(path.c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(opened, 0);
    // Well above the numbers the child's own ls takes.
    const int held = ::fcntl(opened, F_DUPFD, 40);
    ::close(opened);
    ASSERT_GE(held, 40);
    const platform::ChildEnding ending = runScript("ls /proc/self/fd/ | sort -n | tr '\\n' ' '", "", 5000ms);
    ::close(held);
    EXPECT_EQ(ending.kind, Kind::Exited);
    EXPECT_EQ(ending.output.find(" " + std::to_string(held) + " "), std::string::npos) << ending.output;
    EXPECT_EQ(ending.output.substr(0, 6), "0 1 2 ") << ending.output;
}

// A stop asked for while a child runs ends it at once, not at its time.
TEST(ChildProcess, AChildGivenUpIsKilledAtOnce) {
    const auto started = std::chrono::steady_clock::now();
    const auto givenUp = [&] { return std::chrono::steady_clock::now() - started > 300ms; };
    const platform::ChildEnding ending = runScript("echo started; exec sleep 60", "", 30s, givenUp);
    EXPECT_EQ(ending.kind, Kind::GivenUp);
    EXPECT_EQ(ending.output, "started\n");
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);

    const platform::ChildEnding quick = runScript("echo done", "", 30s, [] { return false; });
    EXPECT_EQ(quick.kind, Kind::Exited);
    EXPECT_EQ(quick.output, "done\n");
}

} // namespace
