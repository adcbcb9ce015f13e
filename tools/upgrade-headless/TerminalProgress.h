#pragma once

#include "platform/ConsoleUserInterface.h"

#include <chrono>
#include <string>

namespace headless {

// The console interface of a run on a terminal: below the run log, one line with the pack
// under way, its database, the overall step of its total, the inner gauge as a bar and the
// time since the start, redrawn in place at most a few times a second.
class TerminalProgress : public platform::ConsoleUserInterface {
public:
    TerminalProgress();
    ~TerminalProgress() override;
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    void showMessage(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    void overallGaugeAdd(int steps) override;
    void overallGaugeReset(int maximum) override;
    void stepLabel(const std::string& text) override;
    void innerGaugeShow(int maximum) override;
    void innerGaugeNext() override;
    void innerGaugeHide() override;
    void runLogLine(const std::string& line) override;
    void databaseUnderWay(const std::string& name) override;

private:
    using Clock = std::chrono::steady_clock;
    enum class Redraw { WhenDue, Now };

    void draw(Redraw when);
    void clear();
    std::string progressLine();

    Clock::time_point m_start = Clock::now();
    Clock::time_point m_drawn{};
    bool m_shown = false;
    int m_scale = 0;
    std::string m_pack;
    std::string m_database;
    int m_innerMaximum = 0;
    int m_inner = 0;
    bool m_innerVisible = false;
};

} // namespace headless
