#pragma once

#include <string>
#include <vector>

namespace run {

// What the lowest stamp allows: the verdict's lines and whether the upgrade may go on.
struct StateDecision {
    std::vector<std::string> lines;
    bool ready = false;
    // The lowest version as the run goes on with it: one below 7 is taken as 7.
    int MinVersion = 0;
};

StateDecision decideState(int MinVersion, int MinServicePack, int MinBuild);

} // namespace run
