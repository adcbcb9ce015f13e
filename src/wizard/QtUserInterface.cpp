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

} // namespace wizard
