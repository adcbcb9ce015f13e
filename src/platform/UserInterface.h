#pragma once

#include <string>

namespace platform {

struct ScreenSize {
    int width = 0;
    int height = 0;
};

// The narrow window interface through which the logic reaches the user:
// modal boxes, the two gauges and the run log. Texts use "\r" for a line break.
class UserInterface {
public:
    virtual ~UserInterface() = default;

    virtual void showMessage(const std::string& text) = 0;
    // A Yes/No question without an icon; true for Yes.
    virtual bool askYesNo(const std::string& text) = 0;
    virtual ScreenSize screenSize() = 0;

    // The overall gauge: advance by a number of steps (it limits itself to its maximum).
    virtual void overallGaugeAdd(int steps) = 0;
    virtual void overallGaugeReset(int maximum) = 0;
    virtual int overallGaugePosition() = 0;
    // The one-line label of the step under way.
    virtual void stepLabel(const std::string& text) = 0;
    // The inner gauge of a long step.
    virtual void innerGaugeShow(int maximum) = 0;
    virtual void innerGaugeNext() = 0;
    virtual void innerGaugeHide() = 0;
    // A line of the run log, as it is to be shown.
    virtual void runLogLine(const std::string& line) = 0;
    // Lets pending window messages run so that the windows repaint.
    virtual void processEvents() = 0;
    // The database that the pack under way works on; empty when it works on none.
    virtual void databaseUnderWay(const std::string&) {}
};

// The interface the program runs with; a console one until a window sets its own.
UserInterface& ui();
void setUserInterface(UserInterface* userInterface);

} // namespace platform
