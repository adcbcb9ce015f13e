#pragma once

#include "platform/UserInterface.h"

#include <QPointer>

class QWidget;

namespace wizard {

// Windows the program shows the user through; the logic reaches them only
// through the narrow interface this adapter implements.
class OutputWindow {
public:
    virtual ~OutputWindow() = default;
    virtual void overallGaugeAdd(int steps) = 0;
    virtual void overallGaugeReset(int maximum) = 0;
    virtual int overallGaugePosition() const = 0;
    virtual void stepLabel(const QString& text) = 0;
    virtual void innerGaugeShow(int maximum) = 0;
    virtual void innerGaugeNext() = 0;
    virtual void innerGaugeHide() = 0;
    virtual void runLogLine(const QString& line) = 0;
};

// The program's message boxes, questions, gauges and run log on Qt widgets.
// Before the wizard window exists the gauges and the run log go nowhere.
class QtUserInterface : public platform::UserInterface {
public:
    QtUserInterface();
    ~QtUserInterface() override;

    void attach(OutputWindow* window, QWidget* parent);
    void detach();

    void showMessage(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    platform::ScreenSize screenSize() override;
    void overallGaugeAdd(int steps) override;
    void overallGaugeReset(int maximum) override;
    int overallGaugePosition() override;
    void stepLabel(const std::string& text) override;
    void innerGaugeShow(int maximum) override;
    void innerGaugeNext() override;
    void innerGaugeHide() override;
    void runLogLine(const std::string& line) override;
    void processEvents() override;

    // Tests answer the boxes in advance: a box with an answer waiting is not shown.
    static void answerNextBoxes(std::initializer_list<bool> answers);
    static QStringList shownTexts();
    static void clearShownTexts();

private:
    OutputWindow* m_window = nullptr;
    QPointer<QWidget> m_parent;
};

// "\r" of the program's texts is a line break in a box.
QString boxText(const std::string& text);

} // namespace wizard
