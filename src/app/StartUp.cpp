#include "app/StartUp.h"

#include "app/Picture.h"
#include "environment/DataBaseFiles.h"
#include "environment/EventLog.h"
#include "environment/FileProcedures.h"
#include "environment/InstallCheck.h"
#include "environment/KvSetting.h"
#include "environment/PreFlight.h"
#include "platform/FileSystem.h"
#include "platform/NamedLock.h"
#include "platform/UserInterface.h"
#include "run/RestorePoint.h"
#include "wizard/FormUpgrade1.h"
#include "wizard/QtUserInterface.h"

#include <QApplication>
#include <QGuiApplication>

#include <exception>
#include <filesystem>

namespace app {
namespace {

std::string withoutTrailingSeparators(std::string folder) {
    while (folder.size() > 1 && folder.back() == platform::kSeparator) {
        folder.pop_back();
    }
    return folder;
}

std::string canonicalFolder(const std::string& folder) {
    const std::string bare = withoutTrailingSeparators(folder);
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(bare, error);
    return withoutTrailingSeparators(error ? std::filesystem::path(bare).lexically_normal().string()
                                           : resolved.string());
}

} // namespace

bool controlKeyHeld() {
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
}

bool claimProgramInstance() {
    // Lives to the end of the process, so the claim holds as long as the program runs.
    static platform::NamedLock lock(kProgramTitle);
    // A lock that cannot be made at all tells nothing of another copy; the program goes on.
    return lock.tryAcquire() != platform::NamedLock::Result::HeldElsewhere;
}

bool trellanProgramRunning() {
    return platform::NamedLock::isHeldElsewhere(kTrellanName);
}

std::string runningProgramFolder() {
    return platform::withSeparator(std::filesystem::path(platform::executablePath()).parent_path().string());
}

std::unique_ptr<QWidget> createUpgradeWizard(run::RunHooks hooks) {
    return std::make_unique<wizard::TFormUpgrade1>(std::move(hooks));
}

int runMessageLoop() {
    return QApplication::exec();
}

bool sameFolder(const std::string& first, const std::string& second) {
    if (first.empty() || second.empty()) {
        return false;
    }
    return canonicalFolder(first) == canonicalFolder(second);
}

StartUp::StartUp(StartUpSeams seams) : m_seams(std::move(seams)) {}

// The wizard goes before the splash and both before the seams they may call.
StartUp::~StartUp() {
    m_wizard.reset();
    m_splash.reset();
}

int StartUp::run() {
    environment::ProgramTitle = kProgramTitle;
    if (!control_OneCopy()) {
        return kStartUpEnded;
    }
    if (!environment::control_Install("h")) {
        return kStartUpEnded;
    }
    environment::fw_Write_Register(0);
    detectTrellan();
    if (!environment::read_DataBaseFiles()) {
        return kStartUpEnded;
    }
    if (!claimInstallation()) {
        return kStartUpEnded;
    }
    if (!ZastavkaShow(3)) {
        return kStartUpEnded;
    }
    QCoreApplication::setApplicationName(QString::fromUtf8(kProgramTitle));
    if (!loadWizard()) {
        m_seams.pause(2000);
        ZastavkaClose();
        return kStartUpEnded;
    }
    ZastavkaClose();
    m_wizard->show();
    return m_seams.messageLoop();
}

bool StartUp::control_OneCopy() {
    if (m_seams.claimSingleInstance()) {
        return true;
    }
    platform::ui().showMessage("Upgrade уже запущен");
    return false;
}

// Another user or session has a program lock of its own: the installation's lock keeps its
// runs apart as well. A lock that cannot be made tells nothing of another run.
bool StartUp::claimInstallation() {
    m_installationLock =
        std::make_unique<platform::NamedLock>(platform::NamedLock::AtPath{run::installationLockPath()});
    if (m_installationLock->tryAcquire() != platform::NamedLock::Result::HeldElsewhere) {
        return true;
    }
    platform::ui().showMessage("Upgrade уже запущен");
    return false;
}

void StartUp::detectTrellan() {
    auto& setting = environment::kvSetting;
    setting.bTrellan = m_seams.trellanRunning();
    if (setting.bTrellan) {
        setting.KVDir.dirKalver = environment::read_TrellanValue("BasePath800");
        environment::fw_Write_Register(100);
    }
}

bool StartUp::loadWizard() {
    try {
        ZastavkaStep();
        ZastavkaText("проверка программ");
        ZastavkaStep();
        ZastavkaText("проверка установок");
        if (!environment::control_UpgradeFiles(m_seams.preFlight)) {
            return false;
        }
        ZastavkaStep();
        ZastavkaText("загрузка ...");
        m_seams.pause(100);
        m_wizard = m_seams.createWizard(runHooks());
        return m_wizard != nullptr;
    } catch (...) {
        // The failure is not shown; the splash lingers and the program ends.
        return false;
    }
}

run::RunHooks StartUp::runHooks() const {
    run::RunHooks hooks;
    hooks.showPicture = [pause = m_seams.pause] { ShowPicture(pause); };
    hooks.pause = m_seams.pause;
    return hooks;
}

bool StartUp::ZastavkaShow(int Steps) {
    environment::fw_Write_Register(3);
    const std::string& programDir = environment::kvSetting.KVDir.PFVeskKalver8;
    if (!sameFolder(m_seams.programFolder(), programDir)) {
        platform::ui().showMessage("Программа должна запускаться из папки:\r\r" + programDir);
        return false;
    }
    m_splash = std::make_unique<TFormZastavka8>();
    m_splash->show();
    m_splash->repaint();
    m_splash->setSteps(Steps);
    return true;
}

void StartUp::ZastavkaStep() {
    if (m_splash) {
        m_splash->advance();
    }
    // Control held slows the splash so that each step can be read.
    m_seams.pause(m_seams.controlHeld() ? 3000 : 100);
}

void StartUp::ZastavkaText(const std::string& Text) {
    if (m_splash) {
        m_splash->setStepText(QString());
        QCoreApplication::processEvents();
        m_splash->setStepText(QString::fromStdString("  " + Text));
    }
    m_seams.pause(50);
}

void StartUp::ZastavkaClose() {
    if (m_splash) {
        m_splash->hide();
        m_splash.reset();
    }
}

int runProgram() {
    wizard::QtUserInterface userInterface;
    platform::setUserInterface(&userInterface);
    int code = kStartUpEnded;
    try {
        StartUp startUp;
        code = startUp.run();
    } catch (const std::exception& error) {
        // The wizard, gone with the start-up, may have pointed the interface at itself.
        platform::setUserInterface(&userInterface);
        platform::ui().showMessage(error.what());
    }
    platform::setUserInterface(nullptr);
    return code;
}

} // namespace app
