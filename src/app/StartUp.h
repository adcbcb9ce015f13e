#pragma once

#include "app/Pause.h"
#include "app/Zastavka.h"
#include "environment/PreFlight.h"
#include "platform/NamedLock.h"
#include "run/UpgradeRun.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <string>

namespace app {

// The program's title; a second copy recognises the first by it.
inline constexpr const char* kProgramTitle = "zuruzod 8e";
// The name the suite's database-choice program Trellan holds while it runs.
inline constexpr const char* kTrellanName = "TKVTrellan8";
// The exit code of a start-up that a check ended.
inline constexpr int kStartUpEnded = 1;

// The real answers of the seams below.
bool controlKeyHeld();
bool claimProgramInstance();
bool trellanProgramRunning();
std::string runningProgramFolder();
std::unique_ptr<QWidget> createUpgradeWizard(run::RunHooks hooks);
int runMessageLoop();

// What a test replaces to drive the start-up without a display or waiting.
struct StartUpSeams {
    std::function<void(int milliseconds)> pause = pauseKeepingWindows;
    std::function<bool()> controlHeld = controlKeyHeld;
    // Claims the one running copy for the rest of the process; false when another copy has it.
    std::function<bool()> claimSingleInstance = claimProgramInstance;
    std::function<bool()> trellanRunning = trellanProgramRunning;
    // The folder of the running program's file.
    std::function<std::string()> programFolder = runningProgramFolder;
    // What the pre-flight asks of the machine.
    environment::PreFlightEnvironment preFlight;
    // Creates the wizard window; its state detection runs here and may throw.
    std::function<std::unique_ptr<QWidget>(run::RunHooks)> createWizard = createUpgradeWizard;
    // Runs until the wizard window closes; the process's exit code.
    std::function<int()> messageLoop = runMessageLoop;
};

// The program's start: a fixed chain of checks with the splash between them,
// then the wizard and the message loop. The first failed check ends it.
class StartUp {
public:
    explicit StartUp(StartUpSeams seams = {});
    ~StartUp();
    StartUp(const StartUp&) = delete;
    StartUp& operator=(const StartUp&) = delete;

    // The whole chain and the message loop; the process's exit code.
    int run();

    bool control_OneCopy();
    // Checks the program folder; when it is right, shows the splash with a gauge of Steps.
    bool ZastavkaShow(int Steps);
    void ZastavkaStep();
    void ZastavkaText(const std::string& Text);
    void ZastavkaClose();

    TFormZastavka8* splash() const { return m_splash.get(); }
    QWidget* wizard() const { return m_wizard.get(); }

private:
    bool claimInstallation();
    void detectTrellan();
    // Steps that end in the wizard's creation; false when one failed or raised.
    bool loadWizard();
    run::RunHooks runHooks() const;

    StartUpSeams m_seams;
    std::unique_ptr<TFormZastavka8> m_splash;
    std::unique_ptr<QWidget> m_wizard;
    std::unique_ptr<platform::NamedLock> m_installationLock;
};

// Both name the same folder once links are resolved; a trailing separator does not count.
bool sameFolder(const std::string& first, const std::string& second);

// The program as it runs for a user: message boxes on Qt, the chain, the loop.
int runProgram();

} // namespace app
