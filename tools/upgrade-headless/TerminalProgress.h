#pragma once

#include "platform/ConsoleUserInterface.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stop_token>
#include <string>
#include <thread>

namespace headless {

// The console interface of a run on a terminal: below the run log, one line with the pack
// under way, its database, the overall step of its total, the inner gauge as a bar and the
// time since the start, redrawn in place at most a few times a second, and every second also
// while one long statement runs, so that the time never stands still.
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

    // The progress line ended, the notice on standard error, the line drawn again below it: for
    // a notice from another thread, such as the stop a signal asked for.
    void notice(const std::string& text);
    // The progress line ended and the notice written, the line never drawn again: for a notice
    // after which the process ends at once, so that the shell's prompt starts on a line of its own.
    void lastNotice(const std::string& text);

private:
    using Clock = std::chrono::steady_clock;
    enum class Redraw { WhenDue, Now };

    void draw(Redraw when);
    void clear();
    std::string progressLine();
    void tick(std::stop_token stop);

    Clock::time_point m_start = Clock::now();
    Clock::time_point m_drawn{};
    bool m_shown = false;
    bool m_ended = false;
    int m_scale = 0;
    std::string m_pack;
    std::string m_database;
    int m_innerMaximum = 0;
    int m_inner = 0;
    bool m_innerVisible = false;
    // The run's thread and the ticker draw the same line.
    std::mutex m_mutex;
    std::condition_variable_any m_wake;
    std::jthread m_ticker;
};

} // namespace headless
