#pragma once

#include <functional>
#include <vector>

namespace run {

// One service pack as the run sees it: its number N (pack 8.00.0N), the steps
// by which the overall gauge moves whether it runs or is passed over, and its wrapper.
struct PackStep {
    int number = 0;
    int weight = 0;
    std::function<bool()> wrapper;
};

// The eight packs 8.00.00 to 8.00.07 in their order; each weighs its step
// total and the nine slots of its journal walk.
std::vector<PackStep> standardPacks();

// The overall gauge's scale for a run of these packs: every pack's weight and 3
// for the sibling executables.
int gaugeScale(const std::vector<PackStep>& packs);

} // namespace run
