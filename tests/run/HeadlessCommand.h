#pragma once

#include "InstallationBuilder.h"
#include "platform/FileSystem.h"

#include <cstdlib>
#include <map>
#include <string>
#include <sys/wait.h>

namespace run_testing {

struct CommandResult {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string shellQuoted(const std::string& text) {
    std::string result = "'";
    for (char c : text) {
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return result + "'";
}

// The environment that points a program at the installation; its single-instance lock goes
// into the machine store's folder, away from the runs of other tests.
inline std::string installationVariables(const tools::InstallationLayout& layout) {
    return "XDG_CONFIG_DIRS=" + shellQuoted(layout.machineConfig) +
           " XDG_CONFIG_HOME=" + shellQuoted(layout.userConfig) +
           " XDG_RUNTIME_DIR=" + shellQuoted(layout.machineConfig);
}

// Runs upgrade-headless with the arguments on the installation, its output kept in files of
// the given folder (outside the installation when that is to stay untouched).
inline CommandResult runHeadlessCommand(const tools::InstallationLayout& layout, const std::string& arguments,
                                        const std::string& outputFolder, const std::string& variables = "") {
    const std::string out = outputFolder + "headless.out";
    const std::string err = outputFolder + "headless.err";
    const std::string command = installationVariables(layout) + " " + variables + " " + shellQuoted(UPGRADE_HEADLESS) +
                                " " + arguments + " >" + shellQuoted(out) + " 2>" + shellQuoted(err) + " </dev/null";
    const int raw = std::system(command.c_str());
    CommandResult result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    platform::readWholeFile(out, result.out);
    platform::readWholeFile(err, result.err);
    return result;
}

} // namespace run_testing
