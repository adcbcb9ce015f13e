#include "wizard/FormUpgrade1.h"

#include "ui_FormUpgrade1.h"

#include "engine/EngineState.h"
#include "engine/PackFrame.h"
#include "engine/ReadingWrappers.h"
#include "environment/AliasFile.h"
#include "environment/KvSetting.h"
#include "environment/PreFlight.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "run/RestorePoint.h"
#include "support/TestInstallation.h"

#include <QRadioButton>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>

using environment::kvSetting;
using wizard::TFormUpgrade1;

namespace {

QStringList linesOf(const QPlainTextEdit* memo) {
    return memo->toPlainText().split(QLatin1Char('\n'));
}

// Drops the "HH:mm:ss: " in front of a run-log line.
QStringList withoutTimes(QStringList lines) {
    for (QString& line : lines) {
        if (line.size() >= 10 && line[2] == QLatin1Char(':') && line[8] == QLatin1Char(':')) {
            line = line.mid(10);
        }
    }
    return lines;
}

// Boxes answered in advance: each is recorded instead of shown, and a question takes
// the next answer given; a question without one fails the test.
class AnsweredBoxes : public wizard::MessageBoxes {
public:
    void showMessage(QWidget*, const QString& text) override { texts.append(text); }
    bool askYesNo(QWidget*, const QString& text) override {
        texts.append(text);
        if (answers.empty()) {
            ADD_FAILURE() << "no answer given for " << text.toStdString();
            return false;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<bool> answers;
    QStringList texts;
};

const QString kRunGoesOn =
    QStringLiteral("Во время установки обновлений программу закрыть нельзя - дождитесь окончания установки");
const QString kCopyGoesOn =
    QStringLiteral("Во время копирования файлов программу закрыть нельзя - дождитесь окончания копирования");

tools::InstallationSpec stampedAt(tools::Release release, tools::Stamp stamp) {
    tools::InstallationSpec spec;
    spec.release = release;
    spec.stamp = stamp;
    return spec;
}

// A built installation read as the program reads it at start-up, up to the pre-flight.
class WizardTest : public ::testing::Test {
protected:
    void build(tools::InstallationSpec spec) {
        installation = std::make_unique<testing_support::TestInstallation>(spec);
        engine::FirebirdVersion = 0;
        environment::Files712 = {};
        ASSERT_TRUE(environment::control_UpgradeFiles(installation->preFlightEnvironment()));
    }
    void TearDown() override {
        form.reset();
        installation.reset();
    }

    // Writes a stamp into every database of the version-8 folder that exists.
    void stampAll(int build) {
        for (const auto& name : tools::databaseNames(tools::Release::V8)) {
            const std::string path = installation->layout().kalver800 + name + ".fdb";
            if (platform::fileExists(path)) {
                tools::runScript(
                    path, 12,
                    "UPDATE kv_Setting SET Version = 8, ServicePack = 0, Build = " + std::to_string(build) + ";");
            }
        }
    }

    // Packs that do nothing but stamp the set and move the gauge as far as a real one.
    std::vector<run::PackStep> fakePacks(int failing = -1) {
        auto packs = run::standardPacks();
        for (auto& pack : packs) {
            const int number = pack.number;
            const int weight = pack.weight;
            pack.wrapper = [this, number, weight, failing] {
                ran.push_back(number);
                if (number == failing) {
                    return false;
                }
                stampAll(number);
                engine::inc_KolvoStep(weight);
                return true;
            };
        }
        return packs;
    }

    void makeForm(std::vector<run::PackStep> packs = run::standardPacks()) {
        run::RunHooks hooks;
        hooks.showPicture = [this] { ++pictures; };
        hooks.pause = [this](int milliseconds) {
            if (form && onPause) {
                onPause(milliseconds);
            }
        };
        form = std::make_unique<TFormUpgrade1>(hooks, nullptr, std::move(packs), boxes);
        form->show();
    }

    void click() { QTest::mouseClick(form->ui().Button1, Qt::LeftButton); }

    // Every way a user asks the window to close: the window manager's close, "Выход",
    // and the window's own close, as the answer to "exit?" does it.
    void askToClose() {
        form->windowHandle()->close();
        QTest::mouseClick(form->ui().Button2, Qt::LeftButton);
        form->close();
    }

    // The entries "Закрытие программы" of the event log.
    int closings() const {
        std::string text;
        platform::readWholeFile(kvSetting.KVFile.FileRegister, text);
        int count = 0;
        for (auto at = text.find("*009 Закрытие программы"); at != std::string::npos;
             at = text.find("*009 Закрытие программы", at + 1)) {
            ++count;
        }
        return count;
    }

    // From the start page through the agreement to the end of the run.
    void runThroughThePages() {
        ASSERT_EQ(form->ui().PageControl1->currentWidget(), form->ui().TabSheet2);
        click();
        ASSERT_EQ(form->ui().PageControl1->currentWidget(), form->ui().TabSheet3);
        EXPECT_FALSE(form->ui().Button1->isEnabled());
        form->ui().CheckBox1->click();
        EXPECT_TRUE(form->ui().Button1->isEnabled());
        click();
        ASSERT_EQ(form->ui().PageControl1->currentWidget(), form->ui().TabSheet4);
        EXPECT_EQ(form->ui().Button1->text(), QStringLiteral("Установить"));
        click();
    }

    std::unique_ptr<testing_support::TestInstallation> installation;
    std::unique_ptr<TFormUpgrade1> form;
    std::shared_ptr<AnsweredBoxes> boxes = std::make_shared<AnsweredBoxes>();
    std::function<void(int milliseconds)> onPause;
    std::vector<int> ran;
    int pictures = 0;
};

} // namespace

TEST_F(WizardTest, AVersion8SetIsShownWithItsStampsAndLeadsOn) {
    build(stampedAt(tools::Release::V8, {8, 0, 3}));
    makeForm();
    const QString dir = QString::fromStdString(kvSetting.KVDir.dirKalver);
    EXPECT_EQ(linesOf(form->ui().Memo1), (QStringList{
                                             "База: " + dir,
                                             "Base.fdb:       сборка (8.00.03)",
                                             "Config.fdb:     сборка (8.00.03)",
                                             "System.fdb:     сборка (8.00.03)",
                                             "Orders.fdb:     сборка (8.00.03)",
                                             "OrdersServer.fdb: сборка (8.00.03)",
                                             "Pellix.fdb:     сборка (8.00.03)",
                                             "Sorvin.fdb:     сборка (8.00.03)",
                                             "Price.fdb:      сборка (8.00.03)",
                                             "Текущая сборка: \t8.0.3",
                                             "Нажмите кн. Далее для продолжения установки",
                                         }));
    EXPECT_EQ(form->ui().PageControl1->currentWidget(), form->ui().TabSheet2);
    EXPECT_TRUE(form->ui().Button1->isVisibleTo(form.get()));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Калвер. Обновление версии 8.00"));
}

TEST_F(WizardTest, ANewerUpdateStopsTheWizard) {
    build(stampedAt(tools::Release::V8, {8, 1, 0}));
    makeForm();
    const QStringList lines = linesOf(form->ui().Memo1);
    EXPECT_TRUE(lines.contains(QStringLiteral("У Вас установлено более новое обновление")));
    EXPECT_FALSE(form->ui().Button1->isVisibleTo(form.get()));
}

TEST_F(WizardTest, AWholeRunReplacesTheSiblingsAndRecordsTheRelease) {
    build({});
    makeForm(fakePacks());
    runThroughThePages();
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    const QStringList log = withoutTimes(linesOf(form->ui().Memo3));
    ASSERT_GE(log.size(), 6);
    EXPECT_EQ(log.mid(log.size() - 6), (QStringList{"889-889", "", "", "Обновление версии 8.00 успешно завершено", "",
                                                    "Установлена следующая конфигурация: ServicePack: 7, Build: 24"}));
    EXPECT_TRUE(log.contains(QStringLiteral("morfa_8.exe - переписан")));
    EXPECT_TRUE(log.contains(QStringLiteral("kv8_h.exe - переписан")));
    const auto user = platform::RegistryStore::open(platform::RegistryRoot::CurrentUser);
    EXPECT_EQ(user.readInteger("SOFTWARE\\Vesk\\Калвер\\8.00", "ServicePack"), 7);
    EXPECT_EQ(user.readInteger("SOFTWARE\\Vesk\\Калвер\\8.00", "Build"), 24);
    EXPECT_TRUE(platform::fileExists(kvSetting.KVDir.PFVeskKalver8 + "morfa_8.exe"));
    EXPECT_EQ(form->ui().Gauge1->value(), 0);
    EXPECT_FALSE(form->ui().Button1->isVisibleTo(form.get()));
    EXPECT_TRUE(boxes->texts.isEmpty());
}

TEST_F(WizardTest, AFailingPackStopsBeforeTheSiblingsAndTheRegistry) {
    build({});
    makeForm(fakePacks(2));
    boxes->answers = {false};
    runThroughThePages();
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));
    ASSERT_EQ(boxes->texts.size(), 2);
    EXPECT_EQ(boxes->texts[0], "Установка невозможна\nКод: sp.02");
    EXPECT_TRUE(boxes->texts[1].startsWith("Обновление не установлено.\nВернуть все базы данных в состояние до "
                                           "установки?\n\nРезервная копия: "));
    // Declined, the backup stays named for the next start.
    EXPECT_TRUE(run::readMarker().has_value());
    EXPECT_FALSE(platform::fileExists(kvSetting.KVDir.PFVeskKalver8 + "morfa_8.exe"));
    const auto user = platform::RegistryStore::open(platform::RegistryRoot::CurrentUser);
    EXPECT_FALSE(user.readInteger("SOFTWARE\\Vesk\\Калвер\\8.00", "Build").has_value());
    EXPECT_EQ(form->ui().Label2->text(), QString());
}

TEST_F(WizardTest, A712SetIsCopiedConvertedAndUpgradedTo807) {
    build(stampedAt(tools::Release::V712, {7, 12, 4}));
    makeForm();
    ASSERT_EQ(form->ui().PageControl1->currentWidget(), form->ui().TabSheet1);
    const QStringList lines = linesOf(form->ui().Memo1);
    EXPECT_TRUE(lines.contains(QStringLiteral("Установка будет производиться из файлов версии 7.12:")));
    EXPECT_EQ(lines.filter(QStringLiteral("Текущая сборка")), QStringList{"Текущая сборка: \t7.12.4"});

    // An address database already in the version-8 folder is kept.
    platform::replaceFileContents(kvSetting.KVFile.fileKladr, "kept");
    qobject_cast<QRadioButton*>(form->ui().RadioGroup1->findChildren<QRadioButton*>().at(1))->setChecked(true);
    click();
    std::string kept;
    platform::readWholeFile(kvSetting.KVFile.fileKladr, kept);
    EXPECT_EQ(kept, "kept");
    EXPECT_TRUE(platform::fileExists(kvSetting.KVFile.fileKladrMain));
    EXPECT_TRUE(platform::fileExists(kvSetting.KVFile.FileBase));
    EXPECT_TRUE(environment::Files712.file8);
    EXPECT_FALSE(environment::Files712.file7);
    EXPECT_TRUE(linesOf(form->ui().Memo1).contains(QStringLiteral("Base.fdb:       сборка (7.12.04)")));

    // The conversion and every pack run for real, to the end of the chain.
    runThroughThePages();
    EXPECT_EQ(pictures, 1);
    const QStringList log = withoutTimes(linesOf(form->ui().Memo3));
    EXPECT_TRUE(log.contains(QStringLiteral("Установлена версия 8, Service Pack 00.00")))
        << log.join('\n').toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("889-889"))) << log.join('\n').toStdString();
    EXPECT_TRUE(boxes->texts.isEmpty()) << boxes->texts.join('\n').toStdString();
    int v = 0, sp = 0, bb = -1;
    ASSERT_TRUE(engine::dm_read_VersionServicePackBuild(kvSetting.KVFile.FileSystem, v, sp, bb));
    EXPECT_EQ(std::tie(v, sp, bb), std::make_tuple(8, 0, 7));
    EXPECT_FALSE(platform::fileExists(engine::fileSorvin));
    EXPECT_FALSE(run::readMarker().has_value());
}

TEST_F(WizardTest, AFailedPackOffersTheRestoreAndYesPutsEveryDatabaseBack) {
    build(stampedAt(tools::Release::V712, {7, 12, 4}));
    // Without its unit table the Sorvin database cannot be read by 8.00.03, which fails.
    tools::runScript(installation->database("Sorvin"), 12, "DROP TABLE Stock_Unit;");
    makeForm();
    ASSERT_EQ(form->ui().PageControl1->currentWidget(), form->ui().TabSheet1);
    const QStringList lines = linesOf(form->ui().Memo1);
    EXPECT_TRUE(lines.contains(QStringLiteral("Установка будет производиться из файлов версии 7.12:")));
    EXPECT_EQ(lines.filter(QStringLiteral("Текущая сборка")), QStringList{"Текущая сборка: \t7.12.4"});

    // An address database already in the version-8 folder is kept.
    platform::replaceFileContents(kvSetting.KVFile.fileKladr, "kept");
    qobject_cast<QRadioButton*>(form->ui().RadioGroup1->findChildren<QRadioButton*>().at(1))->setChecked(true);
    click();
    std::string kept;
    platform::readWholeFile(kvSetting.KVFile.fileKladr, kept);
    EXPECT_EQ(kept, "kept");
    EXPECT_TRUE(platform::fileExists(kvSetting.KVFile.fileKladrMain));
    EXPECT_TRUE(platform::fileExists(kvSetting.KVFile.FileBase));
    EXPECT_TRUE(environment::Files712.file8);
    EXPECT_FALSE(environment::Files712.file7);
    EXPECT_TRUE(linesOf(form->ui().Memo1).contains(QStringLiteral("Base.fdb:       сборка (7.12.04)")));

    // The conversion and the packs run for real up to the one that fails.
    boxes->answers = {true};
    runThroughThePages();
    EXPECT_EQ(pictures, 1);
    const QStringList log = withoutTimes(linesOf(form->ui().Memo3));
    EXPECT_TRUE(log.contains(QStringLiteral("Установлена версия 8, Service Pack 00.00")))
        << log.join('\n').toStdString();
    ASSERT_EQ(boxes->texts.size(), 3);
    EXPECT_EQ(boxes->texts[0], "Установка невозможна\nКод: sp.03");
    EXPECT_TRUE(boxes->texts[2].startsWith("Базы данных восстановлены из резервной копии"));
    // Yes puts every database back as it was before the run: the copied 7.12 files.
    int v = 0, sp = 0, bb = -1;
    ASSERT_TRUE(engine::dm_read_VersionServicePackBuild(kvSetting.KVFile.FileSystem, v, sp, bb));
    EXPECT_EQ(std::tie(v, sp, bb), std::make_tuple(7, 12, 4));
    EXPECT_FALSE(run::readMarker().has_value());
}

TEST_F(WizardTest, LeavingFromTheChoicePageAsksFirst) {
    build(stampedAt(tools::Release::V712, {7, 12, 4}));
    makeForm();
    boxes->answers = {false};
    click();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(boxes->texts, QStringList{"Вы хотите выйти из программы модернизации?"});
    EXPECT_EQ(closings(), 0);
    boxes->answers = {true};
    click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(closings(), 1);
}

TEST_F(WizardTest, TheWindowStaysUnderARunAndClosesAfterIt) {
    build({});
    auto packs = fakePacks();
    // Pack 8.00.03 has a long step whose inner gauge lets the window's events run.
    const auto stampOnly = packs[3].wrapper;
    packs[3].wrapper = [this, stampOnly] {
        bool asked = false;
        QMetaObject::invokeMethod(
            form.get(),
            [this, &asked] {
                asked = true;
                askToClose();
            },
            Qt::QueuedConnection);
        engine::gauge2_Show(20);
        for (int i = 0; i < 20; ++i) {
            engine::gauge2_Next();
        }
        engine::gauge2_Hide();
        EXPECT_TRUE(asked);
        EXPECT_TRUE(form->isVisible());
        EXPECT_FALSE(form->ui().Button2->isEnabled());
        EXPECT_EQ(closings(), 0);
        return stampOnly();
    };
    makeForm(std::move(packs));
    runThroughThePages();

    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    const QStringList log = withoutTimes(linesOf(form->ui().Memo3));
    // Told once, in the middle of the pack, however many requests came.
    EXPECT_EQ(log.count(kRunGoesOn), 1) << log.join('\n').toStdString();
    const auto told = log.indexOf(kRunGoesOn);
    EXPECT_EQ(log.value(told - 1), QStringLiteral("Начало установки Service Pack 00.03"));
    EXPECT_EQ(log.value(told + 1), QStringLiteral("Установлен Service Pack 00.03"));
    EXPECT_TRUE(log.contains(QStringLiteral("Обновление версии 8.00 успешно завершено")));
    EXPECT_TRUE(boxes->texts.isEmpty());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(closings(), 0);

    // With the run over the window closes, and the program's closing is logged once.
    EXPECT_TRUE(form->ui().Button2->isEnabled());
    EXPECT_TRUE(form->windowHandle()->close());
    EXPECT_FALSE(form->isVisible());
    form->close();
    EXPECT_EQ(closings(), 1);
    std::string events;
    platform::readWholeFile(kvSetting.KVFile.FileRegister, events);
    EXPECT_LT(events.find("*409 "), events.find("*009 "));
}

TEST_F(WizardTest, TheWindowStaysUnderTheConversionCopy) {
    build(stampedAt(tools::Release::V712, {7, 12, 4}));
    makeForm();
    int copiesStarted = 0;
    onPause = [&](int milliseconds) {
        // The copy starts with half a second's pause, before its first file.
        if (milliseconds != 500 || ++copiesStarted > 1) {
            return;
        }
        askToClose();
        // A press on "Далее" let through meanwhile does not start the copy again.
        click();
        EXPECT_TRUE(form->isVisible());
        EXPECT_FALSE(form->ui().Button2->isEnabled());
        EXPECT_EQ(form->ui().CopyNotice->text(), kCopyGoesOn);
    };
    form->ui().RadioGroup1->findChildren<QRadioButton*>().at(1)->setChecked(true);
    click();

    EXPECT_EQ(copiesStarted, 1);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(platform::fileExists(kvSetting.KVFile.FileBase));
    EXPECT_EQ(form->ui().PageControl1->currentWidget(), form->ui().TabSheet2);
    EXPECT_TRUE(form->ui().Button2->isEnabled());
    EXPECT_EQ(form->ui().CopyNotice->text(), QString());
    EXPECT_EQ(closings(), 0);
    EXPECT_TRUE(boxes->texts.isEmpty());
}
