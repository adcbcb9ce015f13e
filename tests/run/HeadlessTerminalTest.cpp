#include "HeadlessCommand.h"
#include "RunSupport.h"

#include "support/ChainInstallation.h"
#include "support/TestInstallation.h"

#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <pty.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace {

using run_testing::CommandResult;

// Starts upgrade-headless on a pseudo-terminal of 40 by 200; its master side goes to `terminal`.
// Programs in `firstPath` come before those of the system.
pid_t startOnTerminal(const tools::InstallationLayout& layout, const std::string& argument, int& terminal,
                      const std::string& firstPath = {}) {
    winsize size{};
    size.ws_row = 40;
    size.ws_col = 200;
    const pid_t child = ::forkpty(&terminal, nullptr, nullptr, &size);
    if (child == 0) {
        ::setenv("XDG_CONFIG_DIRS", layout.machineConfig.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", layout.userConfig.c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", layout.machineConfig.c_str(), 1);
        if (!firstPath.empty()) {
            ::setenv("PATH", (firstPath + ":" + std::getenv("PATH")).c_str(), 1);
        }
        ::execl(UPGRADE_HEADLESS, UPGRADE_HEADLESS, argument.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    return child;
}

// Reads what a command shows on its terminal until it closes it, calling the watcher after each
// piece; then the command's wait status.
int readTerminalToEnd(int terminal, pid_t child, std::string& shown, const std::function<void()>& watch = {}) {
    char buffer[4096];
    for (;;) {
        const ssize_t read = ::read(terminal, buffer, sizeof buffer);
        if (read > 0) {
            shown.append(buffer, static_cast<size_t>(read));
        } else if (read < 0 && errno == EINTR) {
            continue;
        } else {
            break; // the child closed the terminal (EIO)
        }
        if (watch) {
            watch();
        }
    }
    ::close(terminal);
    int raw = 0;
    ::waitpid(child, &raw, 0);
    return raw;
}

// Runs upgrade-headless with its output on a pseudo-terminal, as an administrator at a terminal sees it.
CommandResult runOnTerminal(const tools::InstallationLayout& layout, const std::string& argument) {
    int terminal = -1;
    const pid_t child = startOnTerminal(layout, argument, terminal);
    CommandResult result;
    if (child < 0) {
        return result;
    }
    const int raw = readTerminalToEnd(terminal, child, result.out);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return result;
}

size_t occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) {
        ++count;
    }
    return count;
}

} // namespace

TEST(HeadlessCommandLine, AnswersHelpVersionAndWrongWordsInTheUsualForm) {
    struct Case {
        const char* arguments;
        int status;
        std::string out; // begins the standard output
        std::string err; // in standard error
    };
    const Case cases[] = {
        {"--help", 0, "Usage: upgrade-headless [COMMAND] [OPTION]\n", ""},
        {"--version", 0, "upgrade-headless 8.", ""},
        {"frobnicate", 2, "", "upgrade-headless: no command 'frobnicate'; see upgrade-headless --help.\n"},
        {"status --restore", 2, "", "no option '--restore'"},
        {"run --json", 2, "", "no option '--json'"},
        {"--help --version", 2, "", "--help takes nothing after it"},
    };
    testing_support::TempDir folder;
    tools::InstallationLayout nowhere;
    nowhere.machineConfig = folder.path() + "machine/";
    nowhere.userConfig = folder.path() + "user/";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        const CommandResult result = run_testing::runHeadlessCommand(nowhere, c.arguments, folder.path());
        EXPECT_EQ(result.status, c.status) << result.out << result.err;
        EXPECT_EQ(result.out.rfind(c.out, 0), 0u) << result.out;
        if (c.err.empty()) {
            EXPECT_TRUE(result.err.empty()) << result.err;
        } else {
            EXPECT_NE(result.err.find(c.err), std::string::npos) << result.err;
            EXPECT_TRUE(result.out.empty()) << result.out;
        }
    }
}

// On a terminal the run log is followed by one progress line redrawn in place; piped, the
// output is the run log alone, line by line.
TEST(HeadlessTerminal, ShowsAProgressLineOnATerminalAndThePlainRunLogWhenPiped) {
    const testing_support::ChainInstallation onTerminal(6);
    const CommandResult shown = runOnTerminal(onTerminal.installation().layout(), "run");

    EXPECT_EQ(shown.status, 0) << shown.out;
    EXPECT_NE(shown.out.find("Установлен Service Pack 00.07\r\n"), std::string::npos) << shown.out;
    EXPECT_NE(shown.out.find("\r\033[K"), std::string::npos) << shown.out;
    EXPECT_NE(shown.out.find("Установка Service Pack 00.07  Base  step "), std::string::npos) << shown.out;
    EXPECT_NE(shown.out.find(" of 889"), std::string::npos) << shown.out;
    // Every run-log line begins on an erased line, never behind the progress line.
    EXPECT_GE(occurrences(shown.out, "\r\033["), occurrences(shown.out, "\r\n") - 1) << shown.out;
    // The progress line is gone when the run ends.
    EXPECT_EQ(shown.out.substr(shown.out.size() - 4), "\r\033[K") << shown.out;

    const testing_support::ChainInstallation piped(6);
    testing_support::TempDir output;
    const CommandResult plain = run_testing::runHeadlessCommand(piped.installation().layout(), "run", output.path());

    EXPECT_EQ(plain.status, 0) << plain.out << plain.err;
    EXPECT_NE(plain.out.find("Установлен Service Pack 00.07\n"), std::string::npos) << plain.out;
    EXPECT_NE(plain.out.find("Обновление версии 8.00 успешно завершено\n"), std::string::npos) << plain.out;
    EXPECT_EQ(plain.out.find('\r'), std::string::npos) << plain.out;
    EXPECT_EQ(plain.out.find('\033'), std::string::npos) << plain.out;
}

// Stopped with Ctrl-C while the administrator's password is typed, server-account leaves the
// terminal echoing as it found it.
TEST(HeadlessTerminal, ServerAccountStoppedAtItsPasswordQuestionLeavesTheEchoOn) {
    const testing_support::TestInstallation installation(run_testing::stampedSpec({8, 0, 0}));
    const auto& layout = installation.layout();
    int terminal = -1;
    const pid_t child = ::forkpty(&terminal, nullptr, nullptr, nullptr);
    if (child == 0) {
        ::setenv("XDG_CONFIG_DIRS", layout.machineConfig.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", layout.userConfig.c_str(), 1);
        ::unsetenv("ISC_USER");
        ::unsetenv("ISC_PASSWORD");
        ::execl(UPGRADE_HEADLESS, UPGRADE_HEADLESS, "server-account", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ASSERT_GT(child, 0);
    // The terminal's own side stays open here, to read its settings after the command is gone.
    const int side = ::open(::ptsname(terminal), O_RDWR | O_NOCTTY);
    ASSERT_GE(side, 0);
    std::string shown;
    char buffer[512];
    while (shown.find("Password of SYSDBA") == std::string::npos) {
        const ssize_t read = ::read(terminal, buffer, sizeof buffer);
        ASSERT_GT(read, 0) << shown;
        shown.append(buffer, static_cast<size_t>(read));
    }
    termios asked{};
    ASSERT_EQ(::tcgetattr(side, &asked), 0);
    EXPECT_EQ(asked.c_lflag & ECHO, 0u) << "the password would be echoed";

    ASSERT_EQ(::write(terminal, "\x03", 1), 1);
    int raw = 0;
    ::waitpid(child, &raw, 0);
    termios after{};
    ASSERT_EQ(::tcgetattr(side, &after), 0);
    ::close(side);
    ::close(terminal);

    EXPECT_TRUE(WIFSIGNALED(raw) && WTERMSIG(raw) == SIGINT) << raw;
    EXPECT_NE(after.c_lflag & ECHO, 0u) << "the terminal was left without echo";
}

// Ctrl-C in the middle of a run on a terminal: the notice that the run stops begins on a line of
// its own, never behind the progress line, and the run stops at its next step boundary.
TEST(HeadlessTerminal, TheStopNoticeOfCtrlCEndsTheProgressLineFirst) {
    const testing_support::ChainInstallation chain(1);
    const auto& layout = chain.installation().layout();
    int terminal = -1;
    const pid_t child = startOnTerminal(layout, "run", terminal);
    ASSERT_GT(child, 0);
    std::string shown;
    bool interrupted = false;
    const int raw = readTerminalToEnd(terminal, child, shown, [&] {
        // Once a pack is under way and its progress line is drawn.
        const size_t pack = shown.find("Начало установки Service Pack 00.03");
        if (!interrupted && pack != std::string::npos && shown.find(" step ", pack) != std::string::npos) {
            EXPECT_EQ(::write(terminal, "\x03", 1), 1);
            interrupted = true;
        }
    });

    ASSERT_TRUE(interrupted) << shown;
    ASSERT_TRUE(WIFEXITED(raw)) << shown;
    EXPECT_EQ(WEXITSTATUS(raw), 3) << shown;
    const std::string notice = "upgrade-headless: stopping after the current step (once more to stop at once).";
    const size_t at = shown.find(notice);
    ASSERT_NE(at, std::string::npos) << shown;
    ASSERT_GE(at, 4u);
    EXPECT_EQ(shown.substr(at - 4, 4), "\r\033[K") << shown;
    EXPECT_NE(shown.find("Установка прервана по запросу"), std::string::npos) << shown;
    EXPECT_EQ(shown.substr(shown.size() - 4), "\r\033[K") << shown;
}

// Two Ctrl-C's while a step holds the run up (an nbackup that never ends, during the backup): the
// second ends the process at once, and its notice is the last thing on the terminal, the progress
// line not drawn again behind it, so that the shell's prompt starts on a line of its own.
TEST(HeadlessTerminal, TheSecondCtrlCLeavesNoProgressLineBehindItsNotice) {
    const testing_support::ChainInstallation chain(1);
    const auto& layout = chain.installation().layout();
    const std::string programs = layout.root + "held-programs";
    const std::string heldPid = programs + "/nbackup.pid";
    ASSERT_TRUE(platform::createDirectories(programs));
    platform::replaceFileContents(programs + "/nbackup",
                                  "#!/bin/sh\necho $$ >" + heldPid + "\nexec sleep 60 </dev/null >/dev/null 2>&1\n");
    ASSERT_EQ(::chmod((programs + "/nbackup").c_str(), 0755), 0);
    int terminal = -1;
    const pid_t child = startOnTerminal(layout, "run", terminal, programs);
    ASSERT_GT(child, 0);
    const std::string first = "upgrade-headless: stopping after the current step (once more to stop at once).";
    const std::string last = "upgrade-headless: stopped at once; \"upgrade-headless status\" tells what is left.";
    std::string shown;
    int interruptions = 0;
    const int raw = readTerminalToEnd(terminal, child, shown, [&] {
        if (interruptions == 0 && platform::fileExists(heldPid)) {
            EXPECT_EQ(::write(terminal, "\x03", 1), 1);
            interruptions = 1;
        } else if (interruptions == 1 && shown.find(first) != std::string::npos) {
            EXPECT_EQ(::write(terminal, "\x03", 1), 1);
            interruptions = 2;
        }
    });
    std::string held;
    if (platform::readWholeFile(heldPid, held) && std::atoi(held.c_str()) > 0) {
        ::kill(std::atoi(held.c_str()), SIGKILL);
    }

    ASSERT_EQ(interruptions, 2) << shown;
    ASSERT_TRUE(WIFEXITED(raw)) << shown;
    EXPECT_EQ(WEXITSTATUS(raw), 3) << shown;
    const size_t at = shown.find(last);
    ASSERT_NE(at, std::string::npos) << shown;
    EXPECT_EQ(shown.substr(at + last.size()), "\r\n") << shown;
}
