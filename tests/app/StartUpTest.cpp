#include "app/StartUp.h"

#include "environment/KvSetting.h"
#include "platform/FileSystem.h"
#include "platform/NamedLock.h"
#include "run/RestorePoint.h"
#include "support/ScriptedUserInterface.h"
#include "support/TestInstallation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <unistd.h>

namespace {

using testing_support::TestInstallation;

std::string readLog(const std::string& file) {
    std::string text;
    platform::readWholeFile(file, text);
    return text;
}

// One start with every seam recorded: the m_pauses asked for, the splash at each
// pause, and whether and when the wizard was made.
class StartUpTest : public ::testing::Test {
protected:
    void install(tools::InstallationSpec spec = {}) {
        m_installation = std::make_unique<TestInstallation>(std::move(spec));
        m_programFolder = environment::kvSetting.KVDir.PFVeskKalver8;
        m_logFile = environment::kvSetting.KVFile.FileRegister;
        m_logBefore = readLog(m_logFile);
    }

    app::StartUpSeams seams() {
        app::StartUpSeams seams;
        seams.pause = [this](int milliseconds) {
            m_pauses.push_back(milliseconds);
            if (const auto* splash = m_startUp ? m_startUp->splash() : nullptr) {
                m_splashTexts.push_back(splash->stepText().toStdString());
                m_splashProgress.push_back(splash->progress());
            }
        };
        seams.controlHeld = [this] { return m_controlHeld; };
        seams.claimSingleInstance = [this] { return m_ownLock.tryAcquire() == platform::NamedLock::Result::Acquired; };
        seams.trellanRunning = [this] { return m_trellanRunning; };
        seams.programFolder = [this] { return m_programFolder; };
        seams.preFlight = m_installation->preFlightEnvironment();
        seams.preFlight.admin = [this] {
            ++m_adminAsked;
            return m_admin;
        };
        seams.createWizard = [this](run::RunHooks hooks) -> std::unique_ptr<QWidget> {
            ++m_wizardsCreated;
            const auto* splash = m_startUp->splash();
            m_gaugeAtWizard = splash ? splash->progress() : -1;
            m_stepsAtWizard = splash ? splash->steps() : -1;
            m_hooksAtWizard = std::move(hooks);
            if (m_wizardFails) {
                throw std::runtime_error("the state cannot be read");
            }
            return std::make_unique<QWidget>();
        };
        seams.messageLoop = [this] {
            ++m_loopsRun;
            m_splashGoneAtLoop = m_startUp->splash() == nullptr;
            m_wizardShownAtLoop = m_startUp->wizard() && m_startUp->wizard()->isVisible();
            return 0;
        };
        return seams;
    }

    int start() {
        app::StartUp startUp(seams());
        m_startUp = &startUp;
        const int code = startUp.run();
        m_splashLeft = startUp.splash() != nullptr;
        m_startUp = nullptr;
        return code;
    }

    void TearDown() override {
        m_ownLock.release();
        std::filesystem::remove(m_ownLock.file());
    }

    std::string logAdded() const { return readLog(m_logFile).substr(m_logBefore.size()); }

    static std::string lockName(const std::string& what) {
        return "zuruzod-test-" + what + "-" + std::to_string(::getpid());
    }

    testing_support::ScriptedUserInterface m_ui;
    std::unique_ptr<TestInstallation> m_installation;
    platform::NamedLock m_ownLock{lockName("copy")};
    app::StartUp* m_startUp = nullptr;
    std::string m_programFolder;
    std::string m_logFile;
    std::string m_logBefore;

    bool m_controlHeld = false;
    bool m_trellanRunning = false;
    bool m_wizardFails = false;
    bool m_admin = true;
    int m_adminAsked = 0;
    std::vector<int> m_pauses;
    std::vector<std::string> m_splashTexts;
    std::vector<int> m_splashProgress;
    int m_wizardsCreated = 0;
    int m_gaugeAtWizard = -1;
    int m_stepsAtWizard = -1;
    run::RunHooks m_hooksAtWizard;
    int m_loopsRun = 0;
    bool m_splashGoneAtLoop = false;
    bool m_wizardShownAtLoop = false;
    bool m_splashLeft = false;
};

TEST_F(StartUpTest, SecondCopyIsRefusedBeforeAnyEventLogLine) {
    install();
    platform::NamedLock firstCopy(lockName("copy"));
    ASSERT_EQ(firstCopy.tryAcquire(), platform::NamedLock::Result::Acquired);

    EXPECT_EQ(start(), app::kStartUpEnded);
    EXPECT_EQ(m_ui.messages, std::vector<std::string>{"Upgrade уже запущен"});
    EXPECT_EQ(logAdded(), "");
    EXPECT_TRUE(m_pauses.empty());
    EXPECT_EQ(m_wizardsCreated, 0);
}

// A run of another user or session holds the installation's lock, not this session's program lock.
TEST_F(StartUpTest, ARunOfAnotherSessionOnTheInstallationIsRefusedBeforeTheSplash) {
    install();
    platform::NamedLock otherSession(platform::NamedLock::AtPath{run::installationLockPath()});
    ASSERT_EQ(otherSession.tryAcquire(), platform::NamedLock::Result::Acquired);

    EXPECT_EQ(start(), app::kStartUpEnded);
    EXPECT_EQ(m_ui.messages, std::vector<std::string>{"Upgrade уже запущен"});
    EXPECT_TRUE(m_pauses.empty());
    EXPECT_EQ(m_wizardsCreated, 0);
}

TEST_F(StartUpTest, StartRunsThroughTheSplashToTheWizard) {
    install();
    EXPECT_EQ(start(), 0);
    EXPECT_TRUE(m_ui.messages.empty());
    EXPECT_EQ(m_pauses, (std::vector<int>{100, 50, 100, 50, 100, 50, 100}));
    EXPECT_EQ(m_splashTexts.front(), "проверка системы ...");
    EXPECT_EQ(m_splashTexts, (std::vector<std::string>{"проверка системы ...", "  проверка программ",
                                                       "  проверка программ", "  проверка установок",
                                                       "  проверка установок", "  загрузка ...", "  загрузка ..."}));
    EXPECT_EQ(m_splashProgress, (std::vector<int>{1, 1, 2, 2, 3, 3, 3}));
    EXPECT_EQ(m_wizardsCreated, 1);
    EXPECT_EQ(m_gaugeAtWizard, 3);
    EXPECT_EQ(m_stepsAtWizard, 3);
    EXPECT_EQ(m_loopsRun, 1);
    EXPECT_TRUE(m_splashGoneAtLoop);
    EXPECT_TRUE(m_wizardShownAtLoop);
    EXPECT_FALSE(m_splashLeft);
    const std::string log = logAdded();
    EXPECT_EQ(log.rfind("\r\n", 0), 0u) << log;
    EXPECT_NE(log.find("*000 Запуск программы: "), std::string::npos) << log;
    EXPECT_LT(log.find("*000 "), log.find("*003"));
    EXPECT_FALSE(environment::kvSetting.bTrellan);
}

TEST_F(StartUpTest, WizardRunPausesThroughTheStartUpPause) {
    install();
    ASSERT_EQ(start(), 0);
    m_pauses.clear();
    m_hooksAtWizard.pause(7);
    EXPECT_EQ(m_pauses, std::vector<int>{7});
}

TEST_F(StartUpTest, ControlHeldMakesEachStepLastThreeSeconds) {
    install();
    m_controlHeld = true;
    EXPECT_EQ(start(), 0);
    EXPECT_EQ(m_pauses, (std::vector<int>{3000, 50, 3000, 50, 3000, 50, 100}));
}

TEST_F(StartUpTest, ProgramFolderWithOrWithoutTrailingSeparatorPasses) {
    install();
    const std::string folder = m_programFolder;
    m_programFolder = folder.substr(0, folder.size() - 1);
    EXPECT_EQ(start(), 0);
    m_programFolder = folder + "/";
    EXPECT_EQ(start(), 0);
    EXPECT_TRUE(m_ui.messages.empty());
    EXPECT_EQ(m_wizardsCreated, 2);
}

TEST_F(StartUpTest, ProgramFolderReachedThroughALinkPasses) {
    install();
    const std::string link = m_installation->layout().root + "linked-program";
    std::filesystem::create_directory_symlink(m_programFolder, link);
    m_programFolder = link + "/";
    EXPECT_EQ(start(), 0);
    EXPECT_TRUE(m_ui.messages.empty());
}

TEST_F(StartUpTest, SubfolderOfTheProgramFolderIsRefused) {
    install();
    const std::string programDir = m_programFolder;
    m_programFolder = programDir + "sub/";
    std::filesystem::create_directory(m_programFolder);

    EXPECT_EQ(start(), app::kStartUpEnded);
    EXPECT_EQ(m_ui.messages, std::vector<std::string>{"Программа должна запускаться из папки:\r\r" + programDir});
    EXPECT_TRUE(m_pauses.empty());
    EXPECT_EQ(m_wizardsCreated, 0);
    EXPECT_NE(logAdded().find("*003"), std::string::npos);
}

TEST_F(StartUpTest, PreFlightFailureEndsAfterTheSplashWithoutTheWizard) {
    tools::InstallationSpec spec;
    spec.omit = {"Price"};
    install(spec);

    EXPECT_EQ(start(), app::kStartUpEnded);
    EXPECT_EQ(m_pauses, (std::vector<int>{100, 50, 100, 50, 2000}));
    EXPECT_EQ(m_splashProgress.back(), 2);
    EXPECT_EQ(m_wizardsCreated, 0);
    EXPECT_EQ(m_loopsRun, 0);
    EXPECT_FALSE(m_splashLeft);
    EXPECT_NE(logAdded().find("*470"), std::string::npos);
}

TEST_F(StartUpTest, SevenTwelveSetWhoseAliasCannotBeRegisteredEndsWithTheMessage) {
    tools::InstallationSpec spec;
    spec.release = tools::Release::V712;
    install(spec);
    m_admin = false;

    EXPECT_EQ(start(), app::kStartUpEnded);
    EXPECT_EQ(m_adminAsked, 1);
    EXPECT_EQ(m_ui.messages, std::vector<std::string>{"Необходимо запустить Upgrade от имени Администратора\r"
                                                      "Закройте программу и запустите заново"});
    EXPECT_EQ(m_wizardsCreated, 0);
    EXPECT_FALSE(m_splashLeft);
}

TEST_F(StartUpTest, WizardThatCannotBeCreatedEndsSilently) {
    install();
    m_wizardFails = true;
    EXPECT_EQ(start(), app::kStartUpEnded);
    EXPECT_EQ(m_pauses, (std::vector<int>{100, 50, 100, 50, 100, 50, 100, 2000}));
    EXPECT_TRUE(m_ui.messages.empty());
    EXPECT_EQ(m_loopsRun, 0);
    EXPECT_FALSE(m_splashLeft);
}

TEST_F(StartUpTest, TrellanRunningPointsAtItsDatabaseFolder) {
    testing_support::TempDir trellanBase;
    tools::InstallationSpec spec;
    spec.trellanBasePath800 = trellanBase.path();
    install(spec);
    m_trellanRunning = true;

    start();
    EXPECT_TRUE(environment::kvSetting.bTrellan);
    EXPECT_EQ(environment::kvSetting.KVDir.dirKalver, trellanBase.path());
    EXPECT_NE(logAdded().find("*100 Работает Trellan, база: " + trellanBase.path()), std::string::npos) << logAdded();
}

TEST(SameFolderTest, TrailingSeparatorDoesNotCount) {
    EXPECT_TRUE(app::sameFolder("/opt/kalver/", "/opt/kalver"));
    EXPECT_TRUE(app::sameFolder("/opt/kalver//", "/opt/kalver/"));
}

TEST(SameFolderTest, NamesDifferingInCaseOrDepthAreDifferentFolders) {
    EXPECT_FALSE(app::sameFolder("/opt/Kalver/", "/opt/kalver/"));
    EXPECT_FALSE(app::sameFolder("/opt/kalver/sub/", "/opt/kalver/"));
    EXPECT_FALSE(app::sameFolder("", "/opt/kalver/"));
}

TEST(SameFolderTest, DotsAreResolved) {
    EXPECT_TRUE(app::sameFolder("/opt/kalver/sub/../", "/opt/kalver/"));
}

} // namespace
