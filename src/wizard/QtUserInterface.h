#pragma once

#include "platform/UserInterface.h"
#include "wizard/MessageBoxes.h"

#include <QPointer>

#include <chrono>
#include <memory>

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
    virtual void innerGaugeAdvance(int steps) = 0;
    virtual void innerGaugeHide() = 0;
    virtual void runLogLine(const QString& line) = 0;
};

// The program's message boxes, questions, gauges and run log on Qt widgets; the boxes
// go to the ones given, the screen's unless a test answers them.
// Before the wizard window exists the gauges and the run log go nowhere.
// The inner gauge advances once per row in the longest steps, a million times: its steps are
// gathered and shown, with the window's events let run, at most once every kGaugeInterval.
class QtUserInterface : public platform::UserInterface {
public:
    explicit QtUserInterface(std::shared_ptr<MessageBoxes> boxes = std::make_shared<QtMessageBoxes>());
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

    static constexpr std::chrono::milliseconds kGaugeInterval{40};

private:
    void showGatheredSteps();

    std::shared_ptr<MessageBoxes> m_boxes;
    OutputWindow* m_window = nullptr;
    QPointer<QWidget> m_parent;
    int m_gatheredSteps = 0;
    std::chrono::steady_clock::time_point m_lastShown;
};

// "\r" of the program's texts is a line break in a box.
QString boxText(const std::string& text);

} // namespace wizard
