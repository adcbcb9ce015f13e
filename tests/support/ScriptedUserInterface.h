#pragma once

#include "platform/UserInterface.h"

#include <deque>
#include <string>
#include <vector>

namespace testing_support {

// A window stand-in: it records what the program shows and answers its
// questions with answers given in advance (Yes when none is left).
class ScriptedUserInterface : public platform::UserInterface {
public:
    ScriptedUserInterface();
    ~ScriptedUserInterface() override;

    void showMessage(const std::string& text) override { messages.push_back(text); }
    bool askYesNo(const std::string& text) override;
    platform::ScreenSize screenSize() override { return screen; }
    void overallGaugeAdd(int steps) override;
    void overallGaugeReset(int maximum) override;
    int overallGaugePosition() override { return overallGauge; }
    void stepLabel(const std::string& text) override { labels.push_back(text); }
    void innerGaugeShow(int maximum) override;
    void innerGaugeNext() override;
    void innerGaugeHide() override { innerVisible = false; }
    void runLogLine(const std::string& line) override { runLog.push_back(line); }
    void processEvents() override { ++eventRounds; }

    std::deque<bool> answers;
    platform::ScreenSize screen{1920, 1080};
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::vector<std::string> runLog;
    std::vector<std::string> labels;
    int overallGauge = 0;
    // Unlimited until a run sets the scale.
    int overallMaximum = 1 << 30;
    bool innerVisible = false;
    int innerMaximum = 0;
    int innerPosition = 0;
    int eventRounds = 0;
};

} // namespace testing_support
