#include "run/StandardPacks.h"

#include "engine/DatabaseSlots.h"
#include "packs/PackWrappers.h"

#include <numeric>

namespace run {
namespace {

// A pack weighs its steps and the slots of its journal walk.
constexpr int kJournalSlots = static_cast<int>(engine::kJournalOrder.size());
constexpr int kSiblingSteps = 3;

} // namespace

std::vector<PackStep> standardPacks() {
    std::vector<PackStep> steps;
    for (const auto& pack : packs::allPacks()) {
        steps.push_back({pack.number, pack.KolvoSP + kJournalSlots, pack.wrapper});
    }
    return steps;
}

int gaugeScale(const std::vector<PackStep>& packs) {
    return std::accumulate(packs.begin(), packs.end(), kSiblingSteps,
                           [](int sum, const PackStep& pack) { return sum + pack.weight; });
}

} // namespace run
