#pragma once

#include <string>

namespace headless {

enum class Command { Run, Status, ServerAccount, Help, Version, Wrong };

struct CommandLine {
    Command command = Command::Run;
    bool restore = false; // run --restore
    bool json = false;    // status --json
    std::string error;    // what is wrong with a Wrong command line
};

// "upgrade-headless [run [--restore] | status [--json] | server-account | --help | --version]";
// no command is a run, and a bare --restore a run with it, as before there were commands.
CommandLine parseCommandLine(int argc, const char* const* argv);

// The text of --help.
const char* usage();

} // namespace headless
