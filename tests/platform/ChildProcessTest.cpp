#include "platform/ChildProcess.h"
#include "support/TestInstallation.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
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

platform::ChildEnding runScript(const std::string& script, const std::string& input, std::chrono::milliseconds limit) {
    return platform::runChild("/bin/sh", {"-c", script}, input, limit);
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

} // namespace
