#include "TerminalProgress.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <sys/ioctl.h>
#include <unistd.h>

namespace headless {
namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(200);
constexpr auto kTick = std::chrono::seconds(1);
constexpr int kBarWidth = 20;
// Back to the start of the line and erase it.
constexpr const char* kEraseLine = "\r\033[K";

int terminalColumns() {
    winsize size{};
    if (::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) {
        return size.ws_col;
    }
    return 80;
}

// At most the number of characters (UTF-8 code points), so that the line never wraps.
std::string cutTo(const std::string& text, int characters) {
    int count = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool starts = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (starts && ++count > characters) {
            return text.substr(0, i);
        }
    }
    return text;
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

} // namespace

TerminalProgress::TerminalProgress() : m_ticker([this](std::stop_token stop) { tick(std::move(stop)); }) {}

TerminalProgress::~TerminalProgress() {
    m_ticker.request_stop();
    m_ticker.join();
    clear();
}

void TerminalProgress::tick(std::stop_token stop) {
    std::unique_lock lock(m_mutex);
    while (!stop.stop_requested()) {
        m_wake.wait_for(lock, stop, kTick, [] { return false; });
        if (!stop.stop_requested() && m_shown) {
            draw(Redraw::WhenDue);
        }
    }
}

void TerminalProgress::notice(const std::string& text) {
    const std::lock_guard lock(m_mutex);
    const bool shown = m_shown;
    clear();
    std::cerr << text << std::endl;
    if (shown) {
        draw(Redraw::Now);
    }
}

void TerminalProgress::lastNotice(const std::string& text) {
    const std::lock_guard lock(m_mutex);
    clear();
    std::cerr << text << std::endl;
    m_ended = true;
}

void TerminalProgress::showMessage(const std::string& text) {
    const std::lock_guard lock(m_mutex);
    clear();
    ConsoleUserInterface::showMessage(text);
    draw(Redraw::Now);
}

bool TerminalProgress::askYesNo(const std::string& text) {
    const std::lock_guard lock(m_mutex);
    clear();
    const bool answer = ConsoleUserInterface::askYesNo(text);
    draw(Redraw::Now);
    return answer;
}

void TerminalProgress::overallGaugeAdd(int steps) {
    const std::lock_guard lock(m_mutex);
    ConsoleUserInterface::overallGaugeAdd(steps);
    draw(Redraw::WhenDue);
}

void TerminalProgress::overallGaugeReset(int maximum) {
    const std::lock_guard lock(m_mutex);
    ConsoleUserInterface::overallGaugeReset(maximum);
    m_scale = maximum;
    draw(Redraw::WhenDue);
}

void TerminalProgress::stepLabel(const std::string& text) {
    const std::lock_guard lock(m_mutex);
    m_pack = trimmed(text);
    draw(Redraw::WhenDue);
}

void TerminalProgress::innerGaugeShow(int maximum) {
    const std::lock_guard lock(m_mutex);
    m_innerMaximum = maximum;
    m_inner = 0;
    m_innerVisible = true;
    draw(Redraw::WhenDue);
}

void TerminalProgress::innerGaugeNext() {
    const std::lock_guard lock(m_mutex);
    m_inner = std::min(m_inner + 1, m_innerMaximum);
    draw(Redraw::WhenDue);
}

void TerminalProgress::innerGaugeHide() {
    const std::lock_guard lock(m_mutex);
    m_innerVisible = false;
    draw(Redraw::WhenDue);
}

void TerminalProgress::runLogLine(const std::string& line) {
    const std::lock_guard lock(m_mutex);
    clear();
    ConsoleUserInterface::runLogLine(line);
    draw(Redraw::Now);
}

// A new database is shown at once: it changes a few times a pack, and the line must name each one.
void TerminalProgress::databaseUnderWay(const std::string& name) {
    const std::lock_guard lock(m_mutex);
    m_database = name;
    draw(Redraw::Now);
}

std::string TerminalProgress::progressLine() {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(Clock::now() - m_start).count();
    char elapsed[32];
    std::snprintf(elapsed, sizeof elapsed, "%lld:%02lld", static_cast<long long>(seconds / 60),
                  static_cast<long long>(seconds % 60));
    std::string line = elapsed;
    if (!m_pack.empty()) {
        line += "  " + m_pack;
    }
    if (!m_database.empty()) {
        line += "  " + m_database;
    }
    if (m_scale > 0) {
        line += "  step " + std::to_string(overallGaugePosition()) + " of " + std::to_string(m_scale);
    }
    if (m_innerVisible && m_innerMaximum > 0) {
        const int filled = m_inner * kBarWidth / m_innerMaximum;
        line += "  [" + std::string(static_cast<size_t>(filled), '#') +
                std::string(static_cast<size_t>(kBarWidth - filled), '.') + "]";
    }
    return line;
}

void TerminalProgress::draw(Redraw when) {
    const auto now = Clock::now();
    if (m_ended) {
        return;
    }
    if (when == Redraw::WhenDue && m_shown && now - m_drawn < kRedrawInterval) {
        return;
    }
    std::cout << kEraseLine << cutTo(progressLine(), terminalColumns() - 1) << std::flush;
    m_shown = true;
    m_drawn = now;
}

void TerminalProgress::clear() {
    if (m_shown) {
        std::cout << kEraseLine << std::flush;
        m_shown = false;
    }
}

} // namespace headless
