#pragma once

#include "environment/KvSetting.h"
#include "run/Minima.h"
#include "run/StateDetection.h"
#include "run/UpgradeRun.h"
#include "wizard/QtUserInterface.h"

#include <QWidget>

#include <memory>
#include <vector>

class QButtonGroup;
class QTimer;

namespace Ui {
class TFormUpgrade1;
}

namespace wizard {

// The wizard window: it shows what state the installation is in and leads
// through the choice, the agreement and the installation run.
class TFormUpgrade1 : public QWidget, public OutputWindow {
public:
    // Runs the state detection (FormCreate); an error in it travels on.
    explicit TFormUpgrade1(run::RunHooks hooks, QWidget* parent = nullptr,
                           std::vector<run::PackStep> packs = run::standardPacks(),
                           std::shared_ptr<MessageBoxes> boxes = std::make_shared<QtMessageBoxes>());
    ~TFormUpgrade1() override;

    void FormCreate();
    void FormActivate();
    void Button1Click();

    // The wizard's text outputs.
    void ZapisMemo1(const QString& str);

    // OutputWindow
    void overallGaugeAdd(int steps) override;
    void overallGaugeReset(int maximum) override;
    int overallGaugePosition() const override;
    void stepLabel(const QString& text) override;
    void innerGaugeShow(int maximum) override;
    void innerGaugeAdvance(int steps) override;
    void innerGaugeHide() override;
    void runLogLine(const QString& line) override;

    const run::Minima& minima() const { return m_minima; }
    const environment::TProgramInfo& upgradeInfo() const { return m_UpgradeInfo; }
    Ui::TFormUpgrade1& ui() const { return *m_ui; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    // What holds the stack while window events keep running.
    enum class Activity { Idle, Copying, Installing };
    class BusyScope;

    void Timer1Timer();
    void FormResize();
    void showReady(run::StartPage page);
    void choosePage();
    void conversionCopy();
    void agreementPage();
    void installationPage();
    void runInstallation();
    void setWindowAlpha(int alpha);
    void refuseClose();

    std::unique_ptr<Ui::TFormUpgrade1> m_ui;
    run::RunHooks m_hooks;
    std::vector<run::PackStep> m_packs;
    run::Minima m_minima;
    environment::TProgramInfo m_UpgradeInfo;
    QButtonGroup* m_radioGroup = nullptr;
    QTimer* m_Timer1 = nullptr;
    QtUserInterface m_userInterface;
    Activity m_activity = Activity::Idle;
    bool m_closeRefused = false;
};

} // namespace wizard
