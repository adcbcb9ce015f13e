#include "wizard/QtUserInterface.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace wizard {

QString boxText(const std::string& text) {
    return QString::fromStdString(text).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

QtUserInterface::QtUserInterface(std::shared_ptr<MessageBoxes> boxes) : m_boxes(std::move(boxes)) {}

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
    m_boxes->showMessage(m_parent, boxText(text));
}

bool QtUserInterface::askYesNo(const std::string& text) {
    return m_boxes->askYesNo(m_parent, boxText(text));
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
    m_gatheredSteps = 0;
    m_lastShown = std::chrono::steady_clock::now();
    if (m_window) {
        m_window->innerGaugeShow(maximum);
    }
}

void QtUserInterface::innerGaugeNext() {
    ++m_gatheredSteps;
    if (std::chrono::steady_clock::now() - m_lastShown >= kGaugeInterval) {
        showGatheredSteps();
    }
}

void QtUserInterface::showGatheredSteps() {
    if (m_window) {
        m_window->innerGaugeAdvance(m_gatheredSteps);
    }
    m_gatheredSteps = 0;
    QApplication::processEvents();
    // Measured after the events ran, so that a slow repaint cannot take every turn.
    m_lastShown = std::chrono::steady_clock::now();
}

void QtUserInterface::innerGaugeHide() {
    m_gatheredSteps = 0;
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

} // namespace wizard
