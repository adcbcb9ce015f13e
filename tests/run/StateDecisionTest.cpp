#include "run/StateDecision.h"
#include "run/Minima.h"
#include "run/StandardPacks.h"
#include "run/UpgradeRun.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <numeric>
#include <stdexcept>

namespace {

const std::vector<std::string> kNotVersion7 = {"У Вас НЕ установлена версия программы 7", "Обратитесь к разработчику",
                                               ""};
const std::vector<std::string> kNewerVersion = {"У Вас установлена более новая версия программы",
                                                "Вы не можете вернуться к старой версии", ""};
const std::vector<std::string> kNewerUpdate = {"У Вас установлено более новое обновление",
                                               "Вы не можете вернуться к старому обновлению", ""};

std::vector<std::string> old712(const std::string& stamp) {
    return {"У Вас НЕ установлено последнее обновление версии 7.12 (" + stamp + ")", "Обратитесь к разработчику", ""};
}

std::vector<std::string> joined(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(StateDecision, TheLowestStampDecidesWhatTheWizardMayDo) {
    struct Case {
        int V, S, B;
        std::vector<std::string> lines;
        bool ready;
        int minVersion;
    };
    const Case cases[] = {
        {6, 12, 4, kNotVersion7, true, 7},
        // Below 7 is taken as 7, so the 7.12 check then speaks of version 7.
        {0, 0, 0, joined(kNotVersion7, old712("7.0.0")), false, 7},
        {7, 11, 9, old712("7.11.9"), false, 7},
        {7, 12, 0, old712("7.12.0"), true, 7},
        {7, 12, 4, {}, true, 7},
        {7, 13, 0, old712("7.13.0"), true, 7},
        {8, 0, 0, {}, true, 8},
        {8, 0, 3, {}, true, 8},
        {8, 0, 7, {}, true, 8},
        {8, 1, 0, kNewerUpdate, false, 8},
        {9, 0, 0, kNewerVersion, false, 9},
        // Nothing could be read at all.
        {INT_MAX, INT_MAX, INT_MAX, kNewerVersion, false, INT_MAX},
    };
    for (const auto& c : cases) {
        const auto label = std::to_string(c.V) + "." + std::to_string(c.S) + "." + std::to_string(c.B);
        const run::StateDecision decision = run::decideState(c.V, c.S, c.B);
        EXPECT_EQ(decision.lines, c.lines) << label;
        EXPECT_EQ(decision.ready, c.ready) << label;
        if (c.ready) {
            EXPECT_EQ(decision.MinVersion, c.minVersion) << label;
        }
    }
}

TEST(UpgradeRunRules, APackRunsWhenTheLowestBuildIsTheOneBeforeIt) {
    struct Case {
        int N, c, vbb;
        bool required;
    };
    const Case cases[] = {
        {1, 0, 0, true},
        {1, 0, 1, false},
        {3, 0, 2, true},
        {3, 0, 3, false},
        {4, 0, 2, false},
        {6, 0, 5, true},
        {7, 0, 6, true},
        {7, 0, 7, true},
        {6, 0, 6, false},
        {1, 0, 7, false},
        {1, 1, 0, false},
        {7, 1, 7, false},
        {2, INT_MAX, INT_MAX, false},
        {7, 0, INT_MAX, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(run::UpgradeRun::packRequired(c.N, c.c, c.vbb), c.required)
            << "pack " << c.N << " at " << c.c << "." << c.vbb;
    }
}

// The weights come from the packs' own tables; these are the totals the run must see.
TEST(UpgradeRunRules, TheStandardPacksCarryTheirWeightsInOrder) {
    const auto packs = run::standardPacks();
    ASSERT_EQ(packs.size(), 8u);
    const int weights[] = {30, 152, 247, 80, 234, 36, 67, 40};
    int total = 0;
    for (int n = 0; n < 8; ++n) {
        EXPECT_EQ(packs[n].number, n);
        EXPECT_EQ(packs[n].weight, weights[n]) << "pack " << n;
        EXPECT_TRUE(packs[n].wrapper) << "pack " << n;
        total += packs[n].weight;
    }
    EXPECT_EQ(total + 3, run::gaugeScale(packs));
    EXPECT_EQ(run::gaugeScale(packs), 889);
    EXPECT_EQ(run::twoDigits(0), "00");
    EXPECT_EQ(run::twoDigits(7), "07");
}

TEST(UpgradeRunRules, ARunNeedsAllEightPacks) {
    auto packs = run::standardPacks();
    packs.pop_back();
    EXPECT_THROW(run::UpgradeRun(packs, {}), std::invalid_argument);
}

TEST(Minima, TheLowestStampIsThatOfOneDatabase) {
    struct Case {
        std::vector<std::array<int, 3>> stamps;
        std::array<int, 3> lowest;
    };
    const Case cases[] = {
        // A conversion stopped half-way: the 7.12 stamp of the unconverted files, offered again.
        {{{8, 0, 0}, {712, 12, 4}, {8, 0, 0}, {7, 12, 4}}, {7, 12, 4}},
        {{{8, 1, 0}, {8, 0, 3}}, {8, 0, 3}},
        {{{8, 0, 5}, {8, 1, 3}}, {8, 0, 5}},
        {{{800, 0, 2}, {8, 0, 7}}, {8, 0, 2}},
    };
    for (const auto& c : cases) {
        run::Minima minima;
        for (const auto& [v, s, b] : c.stamps) {
            minima.add(v, s, b);
        }
        EXPECT_EQ((std::array{minima.MinVersion, minima.MinServicePack, minima.MinBuild}), c.lowest);
    }
}

} // namespace
