#include "platform/ConsoleUserInterface.h"

#include <algorithm>
#include <iostream>

namespace platform {
namespace {
std::string withLineBreaks(std::string text) {
    for (char& c : text) {
        if (c == '\r') {
            c = '\n';
        }
    }
    return text;
}
} // namespace

void ConsoleUserInterface::showMessage(const std::string& text) {
    std::cerr << withLineBreaks(text) << std::endl;
}

bool ConsoleUserInterface::askYesNo(const std::string& text) {
    std::cerr << withLineBreaks(text) << " Yes" << std::endl;
    return true;
}

void ConsoleUserInterface::overallGaugeAdd(int steps) {
    m_overall = std::min(m_overall + steps, m_maximum);
}

void ConsoleUserInterface::overallGaugeReset(int maximum) {
    m_maximum = maximum;
    m_overall = 0;
}

void ConsoleUserInterface::runLogLine(const std::string& line) {
    std::cout << line << std::endl;
}

} // namespace platform
