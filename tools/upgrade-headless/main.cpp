// Runs the upgrade of the installation that the registry stores name, without a
// window: run-log lines go to standard output, message boxes to standard error,
// and every question is answered Yes, except whether to restore the databases
// from the run's backup: that only with --restore. Its other commands look at the
// installation without changing it (status) or give its server the installation's
// database user (server-account).
#include "CommandLine.h"
#include "ServerAccountCommand.h"
#include "StatusCommand.h"
#include "TerminalProgress.h"
#include "engine/DatabaseSlots.h"
#include "engine/EngineState.h"
#include "environment/DataBaseFiles.h"
#include "environment/EventLog.h"
#include "environment/FileProcedures.h"
#include "environment/InstallCheck.h"
#include "environment/KvSetting.h"
#include "environment/PreFlight.h"
#include "platform/FileSystem.h"
#include "platform/NamedLock.h"
#include "platform/ProgramVersion.h"
#include "platform/Registry.h"
#include "platform/StepBoundary.h"
#include "run/ConversionCopy.h"
#include "run/InstallationRun.h"
#include "run/RestorePoint.h"
#include "run/StateDetection.h"

#include <chrono>
#include <clocale>
#include <csignal>
#include <cstring>
#include <exception>
#include <iostream>
#include <langinfo.h>
#include <mutex>
#include <pthread.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr int kInstalled = 0;
constexpr int kFailed = 1;
constexpr int kCannotStart = 2;
constexpr int kStopped = 3;
constexpr int kRestored = 4;

// The lock the program takes, so that one run of either kind goes at a time.
constexpr const char* kProgramLock = "zuruzod 8e";

using environment::kvSetting;

// File names reach Firebird in the character set of the locale, as in the program:
// the user's locale, and UTF-8 where it names none.
void setProgramLocale() {
    std::setlocale(LC_ALL, "");
    if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) {
        std::setlocale(LC_CTYPE, "C.UTF-8");
    }
}

// The progress line on a terminal, while there is one: the stop notice ends it first.
std::mutex g_progressMutex;
headless::TerminalProgress* g_progress = nullptr;

class ProgressForNotices {
public:
    explicit ProgressForNotices(headless::TerminalProgress& progress) {
        const std::lock_guard lock(g_progressMutex);
        g_progress = &progress;
    }
    ~ProgressForNotices() {
        const std::lock_guard lock(g_progressMutex);
        g_progress = nullptr;
    }
    ProgressForNotices(const ProgressForNotices&) = delete;
    ProgressForNotices& operator=(const ProgressForNotices&) = delete;
};

void sayNotice(const std::string& text, bool last) {
    const std::lock_guard lock(g_progressMutex);
    if (g_progress != nullptr && last) {
        g_progress->lastNotice(text);
    } else if (g_progress != nullptr) {
        g_progress->notice(text);
    } else {
        std::cerr << text << std::endl;
    }
}

// SIGINT and SIGTERM go to a thread of their own before Firebird starts its threads, so its
// engine cannot take them; the run stops at its next step boundary. A second one ends the
// process at once, as a kill would: Firebird can wait for good inside a damaged database, and
// what a run leaves that way is offered back at the next start, as after any interruption.
void routeStopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::thread([signals] {
        int received = 0;
        sigwait(&signals, &received);
        // A notice can wait for good on an output that no one reads (a pager, a full pipe): the
        // second signal is taken all the same, and ends the process even while its notice waits.
        std::thread([] {
            sayNotice("upgrade-headless: stopping after the current step (once more to stop at once).", false);
            platform::requestStop();
        }).detach();
        sigwait(&signals, &received);
        std::thread([] {
            std::this_thread::sleep_for(std::chrono::seconds(1));
            std::_Exit(kStopped);
        }).detach();
        sayNotice("upgrade-headless: stopped at once; \"upgrade-headless status\" tells what is left.", true);
        std::_Exit(kStopped);
    }).detach();
}

bool readInstallation() {
    if (!environment::control_Install("h")) {
        std::cerr << "The installation key SOFTWARE\\Vesk\\Калвер\\8.00 with DirProgram, DirBase, typeInstall and a "
                     "numeric NumberFirm must be in "
                  << platform::RegistryStore::fileOf(platform::RegistryRoot::LocalMachine)
                  << ", and both folders must exist." << std::endl;
        return false;
    }
    environment::fw_Write_Register(0);
    if (!environment::read_DataBaseFiles()) {
        std::cerr << "The locations of the databases cannot be formed." << std::endl;
        return false;
    }
    engine::fileSorvin = kvSetting.KVDir.dirKalver + "Sorvin.fdb";
    return true;
}

// The 7.12 files into the version-8 folder, as the program's choice "Конвертировать" does.
bool copy712() {
    std::cout << "Копирование файлов версии 7.12 в " << kvSetting.KVDir.dirKalver << std::endl;
    run::CopyProgress progress;
    progress.copying = [](const std::string& source, const std::string& target) {
        std::cout << source << " => " << target << std::endl;
    };
    if (!run::copyFiles712(progress, {})) {
        return false;
    }
    environment::Files712.file7 = false;
    environment::Files712.file8 = true;
    return true;
}

// The program's own guards: the pre-flight, then a complete version-8 set, copied
// from the 7.12 installation when only that one is there.
bool setComplete() {
    const bool preFlight = environment::control_UpgradeFiles(environment::PreFlightEnvironment{});
    if (preFlight && environment::Files712.file8) {
        return true;
    }
    if (preFlight && environment::Files712.file7) {
        return copy712();
    }
    if (!environment::Files712.file8) {
        std::cerr << "The version-8 set in " << kvSetting.KVDir.dirKalver << " is incomplete (Base.fdb, System.fdb, "
                  << "Orders.fdb and Price.fdb must be there) and no 7.12 installation to convert was found."
                  << std::endl;
    } else {
        std::cerr << "The pre-flight check of " << kvSetting.KVDir.dirKalver << " failed." << std::endl;
    }
    return false;
}

void printHowToRestore(const std::string& folder) {
    std::cerr << "The databases can be put back as they were before the run from the backup in " << folder
              << ": upgrade-headless --restore" << std::endl;
}

// A run that did not finish left its marker: with --restore the databases go back
// from its backup; without, nothing runs until the administrator decides.
int unfinishedRun(const run::RestorePoint& point, bool restore) {
    if (restore) {
        return run::restoreFrom(point) ? kRestored : kFailed;
    }
    std::cerr << "A previous run did not finish (" << run::markerPath() << ")." << std::endl;
    printHowToRestore(point.folder);
    std::cerr << "To go on without restoring, remove " << run::markerPath() << "." << std::endl;
    return kCannotStart;
}

int upgrade(bool restore) {
    if (!readInstallation()) {
        return kCannotStart;
    }
    platform::NamedLock installation(platform::NamedLock::AtPath{run::installationLockPath()});
    if (installation.tryAcquire() == platform::NamedLock::Result::HeldElsewhere) {
        std::cerr << "Upgrade уже запущен: another run of the upgrade on this installation holds "
                  << installation.file() << "." << std::endl;
        return kCannotStart;
    }
    if (const auto point = run::readMarker()) {
        return unfinishedRun(*point, restore);
    }
    // Asked to put the databases back, it must never upgrade them instead.
    if (restore) {
        std::cerr << "Nothing to restore: no run left its marker " << run::markerPath()
                  << "; the databases are left as they are." << std::endl;
        return kCannotStart;
    }
    if (!setComplete()) {
        return kCannotStart;
    }
    environment::TProgramInfo UpgradeInfo;
    const run::DetectedState state = run::detectState(UpgradeInfo);
    if (!state.ready) {
        for (const auto& line : state.lines) {
            std::cerr << line << std::endl;
        }
        return kCannotStart;
    }
    run::RunHooks hooks;
    hooks.pause = [](int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); };
    hooks.askRestore = [restore](const std::string& folder) {
        if (!restore) {
            printHowToRestore(folder);
        }
        return restore;
    };
    const auto result = run::runInstallation(state.minima.MinVersion, UpgradeInfo, run::standardPacks(), hooks);
    switch (result) {
    case run::InstallationResult::Installed:
        return kInstalled;
    case run::InstallationResult::Stopped:
        return kStopped;
    default:
        return kFailed;
    }
}

// Only the copy of a 7.12 set stops outside the run: its marker leaves the version-8 set
// incomplete, so that the next start copies it again.
int copyStopped() {
    std::cout << "Копирование файлов версии 7.12 прервано по запросу" << std::endl;
    try {
        environment::fw_Write_Register(491, "копирование прервано по запросу");
    } catch (const std::exception& error) {
        std::cerr << "upgrade-headless: the event log cannot take the entry: " << error.what() << std::endl;
    }
    return kStopped;
}

std::string versionText() {
    const auto version = platform::programVersion();
    return std::to_string(version[0]) + "." + std::to_string(version[1]) + "." + std::to_string(version[2]) + "." +
           std::to_string(version[3]);
}

// The closing entry of the event log; a log that cannot take it changes nothing of the run's outcome.
void recordClosing() {
    if (kvSetting.KVDir.VeskVersionInfo.empty()) {
        return;
    }
    try {
        environment::fw_Write_Register(9);
    } catch (const std::exception& error) {
        std::cerr << "upgrade-headless: the event log cannot take the closing entry: " << error.what() << std::endl;
    }
}

// One run at a time, with the program's lock; the closing entry of the event log whatever the outcome.
int runCommand(bool restore) {
    platform::NamedLock instance(kProgramLock);
    if (instance.tryAcquire() == platform::NamedLock::Result::HeldElsewhere) {
        std::cerr << "Upgrade уже запущен: another run of the upgrade (the program or upgrade-headless) holds "
                  << instance.file() << "." << std::endl;
        return kCannotStart;
    }
    int status = kCannotStart;
    try {
        status = upgrade(restore);
    } catch (const platform::RunStopped&) {
        status = copyStopped();
    } catch (const std::exception& error) {
        std::cerr << "upgrade-headless: " << error.what() << std::endl;
    }
    recordClosing();
    return status;
}

} // namespace

int main(int argc, char** argv) {
    const headless::CommandLine line = headless::parseCommandLine(argc, argv);
    switch (line.command) {
    case headless::Command::Help:
        std::cout << headless::usage();
        return kInstalled;
    case headless::Command::Version:
        std::cout << "upgrade-headless " << versionText() << std::endl;
        return kInstalled;
    case headless::Command::Wrong:
        std::cerr << "upgrade-headless: " << line.error << "; see upgrade-headless --help." << std::endl;
        return kCannotStart;
    case headless::Command::Status:
        setProgramLocale();
        environment::ProgramTitle = "zuruzod 8e";
        return headless::printStatus(line.json);
    case headless::Command::ServerAccount:
        setProgramLocale();
        environment::ProgramTitle = "zuruzod 8e";
        return headless::setUpServerAccount();
    case headless::Command::Run:
        break;
    }
    setProgramLocale();
    routeStopSignals();
    environment::ProgramTitle = "zuruzod 8e";
    if (::isatty(STDOUT_FILENO) == 0) {
        return runCommand(line.restore);
    }
    headless::TerminalProgress progress;
    const ProgressForNotices notices(progress);
    platform::setUserInterface(&progress);
    const int status = runCommand(line.restore);
    platform::setUserInterface(nullptr);
    return status;
}
