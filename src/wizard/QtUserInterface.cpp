#include "wizard/QtUserInterface.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

#include <deque>

namespace wizard {
namespace {

std::deque<bool>& pendingAnswers() {
    static std::deque<bool> answers;
    return answers;
}

QStringList& answeredTexts() {
    static QStringList texts;
    return texts;
}

// A box whose answer a test gave in advance is recorded, not shown.
bool takePendingAnswer(const QString& text, bool& answer) {
    if (pendingAnswers().empty()) {
        return false;
    }
    answer = pendingAnswers().front();
    pendingAnswers().pop_front();
    answeredTexts().append(text);
    return true;
}

QString caption() {
    return QGuiApplication::applicationDisplayName();
}

} // namespace

QString boxText(const std::string& text) {
    return QString::fromStdString(text).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

QtUserInterface::QtUserInterface() = default;

QtUserInterface::~QtUserInterface() = default;

void QtUserInterface::attach(OutputWindow* window, QWidget* parent) {
    m_window = window;
    m_parent = parent;
}

void QtUserInterface::detach() {
    m_window = nullptr;
    m_parent = nullptr;
}

void QtUserInterface::showMessage(const std::string& text) {
    bool answer = false;
    if (takePendingAnswer(boxText(text), answer)) {
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, caption(), boxText(text), QMessageBox::Ok, m_parent);
    box.exec();
}

bool QtUserInterface::askYesNo(const std::string& text) {
    bool answer = false;
    if (takePendingAnswer(boxText(text), answer)) {
        return answer;
    }
    QMessageBox box(QMessageBox::NoIcon, caption(), boxText(text), QMessageBox::Yes | QMessageBox::No, m_parent);
    return box.exec() == QMessageBox::Yes;
}

platform::ScreenSize QtUserInterface::screenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        return {};
    }
    const QSize size = screen->size();
    return {size.width(), size.height()};
}

void QtUserInterface::overallGaugeAdd(int steps) {
    if (m_window) {
        m_window->overallGaugeAdd(steps);
    }
}

void QtUserInterface::overallGaugeReset(int maximum) {
    if (m_window) {
        m_window->overallGaugeReset(maximum);
    }
}

int QtUserInterface::overallGaugePosition() {
    return m_window ? m_window->overallGaugePosition() : 0;
}

void QtUserInterface::stepLabel(const std::string& text) {
    if (m_window) {
        m_window->stepLabel(QString::fromStdString(text));
    }
}

void QtUserInterface::innerGaugeShow(int maximum) {
    if (m_window) {
        m_window->innerGaugeShow(maximum);
    }
}

void QtUserInterface::innerGaugeNext() {
    if (m_window) {
        m_window->innerGaugeNext();
    }
}

void QtUserInterface::innerGaugeHide() {
    if (m_window) {
        m_window->innerGaugeHide();
    }
}

void QtUserInterface::runLogLine(const std::string& line) {
    if (m_window) {
        m_window->runLogLine(QString::fromStdString(line));
    }
}

void QtUserInterface::processEvents() {
    QApplication::processEvents();
}

void QtUserInterface::answerNextBoxes(std::initializer_list<bool> answers) {
    pendingAnswers().insert(pendingAnswers().end(), answers);
}

QStringList QtUserInterface::shownTexts() {
    return answeredTexts();
}

void QtUserInterface::clearShownTexts() {
    answeredTexts().clear();
    pendingAnswers().clear();
}

} // namespace wizard
