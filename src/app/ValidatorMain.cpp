// zuruzod-validate DATABASE: validates one database online and writes the outcome on its output.
// The login lines come on the standard input, so that no password shows in the process list.
// The program runs it as a child it can end: Firebird's validation can hang for good on damage.
#include "engine/DatabaseValidation.h"

#include <clocale>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <poll.h>
#include <string>
#include <sys/prctl.h>
#include <unistd.h>
#include <vector>

namespace {

// The program reads the answer from the other end of the output. With that end closed it died
// before the death signal was asked for, and a process other than init (a session's subreaper)
// may have taken this one over, so the parent's id proves nothing.
bool programGone() {
    pollfd output{STDOUT_FILENO, 0, 0};
    return ::poll(&output, 1, 0) == 1 && (output.revents & POLLERR) != 0;
}

} // namespace

int main(int argc, char** argv) {
    // A validator that outlived a killed program would hold the database for good.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (programGone()) {
        return 1;
    }
    // The path comes in the character set of the program's locale, which it passes on.
    std::setlocale(LC_ALL, "");
    if (argc != 2) {
        std::cerr << "usage: zuruzod-validate DATABASE  (login lines on the standard input)\n";
        return 2;
    }
    std::vector<std::string> loginLines;
    for (std::string line; std::getline(std::cin, line);) {
        if (!line.empty()) {
            loginLines.push_back(line);
        }
    }
    std::cout << engine::validationAsText(engine::validateInThisProcess(argv[1], loginLines)) << std::flush;
    const int status = std::cout ? 0 : 1;
    // The embedded engine's threads can outlive the service and crash in the library's clean-up at
    // exit (or in its shutdown, which unloads it under them); with the answer written and the
    // database let go there is nothing left to clean.
    std::_Exit(status);
}
