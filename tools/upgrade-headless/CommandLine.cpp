#include "CommandLine.h"

#include <string_view>
#include <vector>

namespace headless {
namespace {

CommandLine wrong(std::string error) {
    CommandLine line;
    line.command = Command::Wrong;
    line.error = std::move(error);
    return line;
}

} // namespace

CommandLine parseCommandLine(int argc, const char* const* argv) {
    std::vector<std::string_view> words(argv + 1, argv + argc);
    CommandLine line;
    if (!words.empty() && (words.front() == "--help" || words.front() == "-h")) {
        line.command = Command::Help;
        return words.size() == 1 ? line : wrong("--help takes nothing after it");
    }
    if (!words.empty() && words.front() == "--version") {
        line.command = Command::Version;
        return words.size() == 1 ? line : wrong("--version takes nothing after it");
    }
    if (!words.empty() && !words.front().starts_with("-")) {
        const std::string_view command = words.front();
        words.erase(words.begin());
        if (command == "status") {
            line.command = Command::Status;
        } else if (command == "server-account") {
            line.command = Command::ServerAccount;
        } else if (command != "run") {
            return wrong("no command '" + std::string(command) + "'");
        }
    }
    for (const std::string_view word : words) {
        if (line.command == Command::Run && word == "--restore") {
            line.restore = true;
        } else if (line.command == Command::Status && word == "--json") {
            line.json = true;
        } else {
            return wrong("no option '" + std::string(word) + "' here");
        }
    }
    return line;
}

const char* usage() {
    return R"(Usage: upgrade-headless [COMMAND] [OPTION]
Upgrades the databases of the Калвер 8.00 installation that the registry stores name,
without a window, as the program does.

Commands:
  run [--restore]   the upgrade (also with no command): the run log goes to standard
                    output (on a terminal with a progress line below it), messages to
                    standard error; every question is answered Yes, except whether to
                    put the databases back from the run's backup: that only with --restore
  status [--json]   what the program would find and decide, changing nothing: every
                    database with its stamp and journal, the verdict, the packs a run
                    would install and the checks before the first change
  server-account    creates or updates the installation's database user kv5.N with its
                    password on the Firebird server, as SYSDBA (ISC_USER and ISC_PASSWORD,
                    or asked for on the terminal)
  --help            this text
  --version         the program's version

Exit codes of run: 0 installed, 1 failed, 2 could not start, 3 stopped by SIGINT or
SIGTERM, 4 the databases were restored from the backup.
Exit codes of status: 0 a run is possible, 1 no run is possible, 2 the installation
cannot be read.
Exit codes of server-account: 0 done, 1 the server refused, 2 could not start.
)";
}

} // namespace headless
