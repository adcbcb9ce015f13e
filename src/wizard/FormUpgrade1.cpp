#include "wizard/FormUpgrade1.h"

#include "ui_FormUpgrade1.h"

#include "environment/EventLog.h"
#include "environment/PreFlight.h"
#include "environment/RunLog.h"
#include "run/ConversionCopy.h"
#include "run/InstallationRun.h"
#include "run/StateDetection.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QFile>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>

// The window's pictures and texts are compiled into this static library; the
// linker keeps them only when something names them.
static void initWizardResources() {
    Q_INIT_RESOURCE(wizard);
}

namespace wizard {
namespace {

constexpr int kFadeStep = 7;

// The override cursor for the length of a long action.
class Hourglass {
public:
    Hourglass() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Hourglass() { QApplication::restoreOverrideCursor(); }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;
};

void appendLine(QPlainTextEdit* memo, const QString& line) {
    memo->appendPlainText(line);
    memo->verticalScrollBar()->setValue(memo->verticalScrollBar()->maximum());
    memo->repaint();
}

QString agreementText() {
    QFile file(QStringLiteral(":/wizard/agreement.txt"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

// The copy and the run let window events run between their steps. For their length
// the window must stay under them: the exit button is off and a close request is refused.
class TFormUpgrade1::BusyScope {
public:
    BusyScope(TFormUpgrade1& form, Activity activity) : m_form(form) {
        m_form.m_activity = activity;
        m_form.m_closeRefused = false;
        m_form.m_ui->Button2->setEnabled(false);
    }
    ~BusyScope() {
        m_form.m_activity = Activity::Idle;
        m_form.m_ui->Button2->setEnabled(true);
        m_form.m_ui->CopyNotice->clear();
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    TFormUpgrade1& m_form;
};

TFormUpgrade1::TFormUpgrade1(run::RunHooks hooks, QWidget* parent, std::vector<run::PackStep> packs,
                             std::shared_ptr<MessageBoxes> boxes)
    : QWidget(parent), m_ui(std::make_unique<Ui::TFormUpgrade1>()), m_hooks(std::move(hooks)),
      m_packs(std::move(packs)), m_radioGroup(new QButtonGroup(this)), m_Timer1(new QTimer(this)),
      m_userInterface(std::move(boxes)) {
    initWizardResources();
    m_ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    m_ui->Memo2->setPlainText(agreementText());
    m_Timer1->setInterval(1);
    m_Timer1->setSingleShot(true);
    connect(m_Timer1, &QTimer::timeout, this, &TFormUpgrade1::Timer1Timer);
    connect(m_ui->Button1, &QPushButton::clicked, this, &TFormUpgrade1::Button1Click);
    connect(m_ui->Button2, &QPushButton::clicked, this, &QWidget::close);
    connect(m_ui->CheckBox1, &QCheckBox::toggled, m_ui->Button1, &QPushButton::setEnabled);
    m_userInterface.attach(this, this);
    platform::setUserInterface(&m_userInterface);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    FormCreate();
}

TFormUpgrade1::~TFormUpgrade1() {
    m_userInterface.detach();
    platform::setUserInterface(nullptr);
}

void TFormUpgrade1::FormCreate() {
    setWindowAlpha(0);
    m_ui->Button1->hide();
    m_ui->Panel9->hide();
    m_ui->Gauge1->hide();
    m_ui->Gauge2->hide();
    m_ui->Label2->hide();
    m_ui->Label3->clear();
    m_ui->Label4->clear();
    m_ui->Memo1->clear();
    m_ui->PageControl1->setCurrentWidget(m_ui->TabSheet2);

    const run::DetectedState state = run::detectState(m_UpgradeInfo);
    m_minima = state.minima;
    for (const auto& line : state.lines) {
        ZapisMemo1(QString::fromStdString(line));
    }
    if (state.ready) {
        showReady(state.page);
    }
}

void TFormUpgrade1::showReady(run::StartPage page) {
    if (page == run::StartPage::Choice) {
        const auto buttons = m_radioGroup->buttons();
        for (QAbstractButton* button : buttons) {
            m_radioGroup->removeButton(button);
            delete button;
        }
        int id = 0;
        for (const char* item :
             {"Ничего не делать и выйти из программы", "Конвертировать файлы версии 7.12 в версию 8"}) {
            auto* radio = new QRadioButton(QString::fromUtf8(item), m_ui->RadioGroup1);
            m_ui->RadioGroup1->layout()->addWidget(radio);
            m_radioGroup->addButton(radio, id++);
        }
        m_radioGroup->button(0)->setChecked(true);
        m_ui->PageControl1->setCurrentWidget(m_ui->TabSheet1);
    }
    setWindowTitle(QStringLiteral("Калвер. Обновление версии 8.00"));
    m_ui->Button1->show();
    m_ui->Gauge1->show();
    m_ui->Label2->show();
    m_hooks.pause(50);
}

void TFormUpgrade1::FormActivate() {
    m_Timer1->start();
}

void TFormUpgrade1::Timer1Timer() {
    m_Timer1->stop();
    const int start = qRound(windowOpacity() * 255);
    for (int alpha = start + kFadeStep; alpha <= 255; alpha += kFadeStep) {
        setWindowAlpha(alpha);
        QApplication::processEvents();
        m_hooks.pause(1);
    }
    setWindowOpacity(1.0);
}

void TFormUpgrade1::setWindowAlpha(int alpha) {
    setWindowOpacity(alpha / 255.0);
}

void TFormUpgrade1::FormResize() {
    m_ui->Button1->move((width() - m_ui->Button1->width()) / 2, m_ui->Button1->y());
    m_ui->Panel7->move(m_ui->Panel2->width() - m_ui->Panel7->width(), 0);
}

void TFormUpgrade1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FormResize();
}

void TFormUpgrade1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormActivate();
}

bool TFormUpgrade1::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        FormActivate();
    }
    return QWidget::event(event);
}

void TFormUpgrade1::closeEvent(QCloseEvent* event) {
    if (m_activity != Activity::Idle) {
        event->ignore();
        refuseClose();
        return;
    }
    try {
        environment::fw_Write_Register(9);
    } catch (const std::exception& error) {
        // The window still closes when its last entry cannot be written; the user is told why.
        platform::ui().showMessage(std::string("Не удалось записать журнал событий:\r") + error.what());
    }
    QWidget::closeEvent(event);
}

// Said once for each copy or run, however many requests come.
void TFormUpgrade1::refuseClose() {
    if (m_closeRefused) {
        return;
    }
    m_closeRefused = true;
    if (m_activity == Activity::Installing) {
        environment::ZapisMemo3(
            "Во время установки обновлений программу закрыть нельзя - дождитесь окончания установки");
        return;
    }
    m_ui->CopyNotice->setText(
        QStringLiteral("Во время копирования файлов программу закрыть нельзя - дождитесь окончания копирования"));
    m_ui->CopyNotice->repaint();
}

void TFormUpgrade1::Button1Click() {
    // A press let through by the events of the copy or the run must not start another.
    if (m_activity != Activity::Idle) {
        return;
    }
    QWidget* page = m_ui->PageControl1->currentWidget();
    if (page == m_ui->TabSheet1) {
        choosePage();
    } else if (page == m_ui->TabSheet2) {
        m_ui->Button1->setEnabled(m_ui->CheckBox1->isChecked());
        m_ui->Label1->setText(QStringLiteral("Лицензионное соглашение"));
        m_ui->PageControl1->setCurrentWidget(m_ui->TabSheet3);
    } else if (page == m_ui->TabSheet3) {
        agreementPage();
    } else if (page == m_ui->TabSheet4) {
        runInstallation();
    }
}

void TFormUpgrade1::choosePage() {
    if (m_radioGroup->checkedId() == 0) {
        if (platform::ui().askYesNo("Вы хотите выйти из программы модернизации?")) {
            close();
        }
        return;
    }
    if (m_radioGroup->checkedId() == 1) {
        conversionCopy();
    }
}

void TFormUpgrade1::conversionCopy() {
    BusyScope busy(*this, Activity::Copying);
    Hourglass hourglass;
    m_ui->Gauge01->setValue(0);
    m_ui->Gauge01->setMaximum(run::kCopyPairs);
    m_ui->Panel9->show();
    QApplication::processEvents();
    m_hooks.pause(500);
    run::CopyProgress progress;
    progress.copying = [this](const std::string& source, const std::string& target) {
        m_ui->Label3->setText(QString::fromStdString(source));
        m_ui->Label4->setText(QStringLiteral("=> ") + QString::fromStdString(target));
    };
    progress.pairDone = [this] { m_ui->Gauge01->setValue(m_ui->Gauge01->value() + 1); };
    try {
        if (!run::copyFiles712(progress, m_hooks)) {
            m_ui->Panel9->hide();
            return;
        }
        environment::Files712.file7 = false;
        environment::Files712.file8 = true;
        FormCreate();
        FormActivate();
    } catch (...) {
        m_ui->Panel9->hide();
        throw;
    }
    m_ui->Panel9->hide();
}

void TFormUpgrade1::agreementPage() {
    m_ui->Button1->setText(QStringLiteral("Установить"));
    m_ui->Label1->setText(QStringLiteral("Установка обновлений"));
    m_ui->Label2->clear();
    environment::ZapisMemo30("Всё готово для установки обновлений");
    environment::ZapisMemo30("Для установки обновлений нажмите кн. \"Установить\"");
    environment::ZapisMemo30("Если Вы передумали - нажмите кн. \"Выход\"");
    environment::ZapisMemo30("");
    m_ui->PageControl1->setCurrentWidget(m_ui->TabSheet4);
}

void TFormUpgrade1::runInstallation() {
    BusyScope busy(*this, Activity::Installing);
    Hourglass hourglass;
    m_ui->Button1->hide();
    m_ui->Button1->setText(QStringLiteral("Далее =>"));
    QApplication::processEvents();
    run::runInstallation(m_minima.MinVersion, m_UpgradeInfo, m_packs, m_hooks);
}

void TFormUpgrade1::ZapisMemo1(const QString& str) {
    appendLine(m_ui->Memo1, str);
}

void TFormUpgrade1::overallGaugeAdd(int steps) {
    m_ui->Gauge1->setValue(std::min(m_ui->Gauge1->value() + steps, m_ui->Gauge1->maximum()));
}

void TFormUpgrade1::overallGaugeReset(int maximum) {
    m_ui->Gauge1->setMaximum(maximum);
    m_ui->Gauge1->setValue(0);
}

int TFormUpgrade1::overallGaugePosition() const {
    return m_ui->Gauge1->value();
}

void TFormUpgrade1::stepLabel(const QString& text) {
    m_ui->Label2->setText(text);
    m_ui->Label2->repaint();
}

void TFormUpgrade1::innerGaugeShow(int maximum) {
    m_ui->Gauge2->setMaximum(maximum);
    m_ui->Gauge2->setValue(0);
    m_ui->Gauge2->show();
}

void TFormUpgrade1::innerGaugeAdvance(int steps) {
    if (m_ui->Gauge2->isVisible()) {
        m_ui->Gauge2->setValue(std::min(m_ui->Gauge2->value() + steps, m_ui->Gauge2->maximum()));
    }
}

void TFormUpgrade1::innerGaugeHide() {
    m_ui->Gauge2->hide();
}

void TFormUpgrade1::runLogLine(const QString& line) {
    appendLine(m_ui->Memo3, line);
}

} // namespace wizard
