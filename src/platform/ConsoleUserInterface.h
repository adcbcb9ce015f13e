#pragma once

#include "platform/UserInterface.h"

namespace platform {

// The interface of a run without a display: boxes go to standard error, run-log
// lines to standard output, and every question is answered Yes.
class ConsoleUserInterface : public UserInterface {
public:
    void showMessage(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    ScreenSize screenSize() override { return {1280, 900}; }
    void overallGaugeAdd(int steps) override;
    void overallGaugeReset(int maximum) override;
    int overallGaugePosition() override { return m_overall; }
    void stepLabel(const std::string&) override {}
    void innerGaugeShow(int) override {}
    void innerGaugeNext() override {}
    void innerGaugeHide() override {}
    void runLogLine(const std::string& line) override;
    void processEvents() override {}

private:
    int m_overall = 0;
    int m_maximum = 0;
};

} // namespace platform
