#include "platform/ConsoleUserInterface.h"

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

void ConsoleUserInterface::showMessage(const std::string& text) { std::cerr << withLineBreaks(text) << std::endl; }

bool ConsoleUserInterface::askYesNo(const std::string& text) {
    std::cerr << withLineBreaks(text) << " Yes" << std::endl;
    return true;
}

void ConsoleUserInterface::runLogLine(const std::string& line) { std::cout << line << std::endl; }

} // namespace platform
