#include "RunSupport.h"

#include "engine/EngineState.h"
#include "environment/KvSetting.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "run/InstallationRun.h"
#include "run/RestorePoint.h"
#include "run/StandardPacks.h"
#include "run/UpgradeRun.h"
#include "support/ScriptedUserInterface.h"
#include "support/TestInstallation.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <ostream>
#include <set>
#include <stdexcept>

using environment::kvSetting;
using run::RunOutcome;
using run_testing::stampOf;
using run_testing::withoutTimes;

namespace {

// Fake packs in place of the real wrappers: each stamps every database of the
// installation as the real pack would on success and moves the gauge by its weight.
class UpgradeRunTest : public ::testing::Test {
protected:
    void build(tools::InstallationSpec spec) {
        installation = std::make_unique<testing_support::TestInstallation>(std::move(spec));
        run_testing::pointAtInstallation(*installation);
    }
    void TearDown() override { engine::fileSorvin.clear(); }

    void stampEverywhere(int version, int servicePack, int build) {
        for (const auto& path : installation->layout().databases) {
            if (platform::fileExists(path)) {
                tools::runScript(path, 12,
                                 "UPDATE kv_Setting SET Version = " + std::to_string(version) + ", ServicePack = " +
                                     std::to_string(servicePack) + ", Build = " + std::to_string(build) + ";");
            }
        }
    }

    // The standard weights with fake wrappers; `failing` packs answer false
    // after counting half their steps, the way a real pack stops short.
    std::vector<run::PackStep> fakePacks(std::set<int> failing = {}) {
        auto packs = run::standardPacks();
        for (auto& pack : packs) {
            const int n = pack.number;
            const int weight = pack.weight;
            pack.wrapper = [this, n, weight, failing] {
                ran.push_back(n);
                if (failing.count(n)) {
                    engine::inc_KolvoStep(weight / 2);
                    return false;
                }
                stampEverywhere(8, 0, n);
                engine::inc_KolvoStep(weight);
                return true;
            };
        }
        return packs;
    }

    run::RunHooks hooks() {
        run::RunHooks h;
        h.pause = [this](int milliseconds) { pauses.push_back(milliseconds); };
        h.showPicture = [this] {
            ++pictures;
            labelsAtPicture = ui.labels;
            ranAtPicture = ran.size();
        };
        return h;
    }

    // The run log without its times and without the line naming the backup folder, whose
    // name follows the clock (RunLogLinesCarryTheTimeOfDay shows it).
    std::vector<std::string> log() const {
        std::vector<std::string> lines = withoutTimes(ui.runLog);
        std::erase_if(lines, [](const std::string& line) { return line.starts_with("Резервная копия баз данных: "); });
        return lines;
    }

    testing_support::ScriptedUserInterface ui;
    std::unique_ptr<testing_support::TestInstallation> installation;
    std::vector<int> ran;
    std::vector<int> pauses;
    int pictures = 0;
    std::vector<std::string> labelsAtPicture;
    size_t ranAtPicture = 0;
};

struct StampCase {
    const char* name;
    tools::Stamp everywhere;
    std::map<std::string, tools::Stamp> stampOf;
    std::vector<int> ran;
    // 8.00.03 moves the catalogue, and the file goes, only from a Sorvin database at 8.0.2.
    bool sorvinRemoved;
};

void PrintTo(const StampCase& c, std::ostream* os) {
    *os << c.name;
}

class PackChoice : public UpgradeRunTest, public ::testing::WithParamInterface<StampCase> {};

TEST_P(PackChoice, RunsThePacksTheLowestStampCallsForAndPassesOverTheRest) {
    const StampCase& c = GetParam();
    build(run_testing::stampedSpec(c.everywhere, c.stampOf));

    run::UpgradeRun upgrade(fakePacks(), hooks());
    EXPECT_EQ(upgrade.installPacks(8), RunOutcome::Installed);

    EXPECT_EQ(ran, c.ran);
    // Every weight counts once, run or passed over; the last 3 belong to the sibling executables.
    EXPECT_EQ(ui.overallMaximum, 889);
    EXPECT_EQ(ui.overallGauge, 886);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(pictures, 0);
    EXPECT_EQ(upgrade.c(), 0);
    EXPECT_EQ(upgrade.vbb(), 7);

    std::vector<std::string> labels = {" Service Pack 00.00"};
    std::vector<std::string> lines = {"Установка обновлений:"};
    for (int n = 1; n <= 7; ++n) {
        const std::string NN = "0" + std::to_string(n);
        if (std::count(c.ran.begin(), c.ran.end(), n) == 0) {
            labels.push_back(" Service Pack 00." + NN);
            continue;
        }
        labels.push_back(" Установка Service Pack 00." + NN);
        if (n == 3 && c.sorvinRemoved) {
            labels.push_back(" Удаление: Sorvin.fdb");
            labels.push_back(" Удалён: Sorvin.fdb");
        }
        lines.push_back("Начало установки Service Pack 00." + NN);
        lines.push_back("Установлен Service Pack 00." + NN);
    }
    EXPECT_EQ(ui.labels, labels);
    EXPECT_EQ(log(), lines);
    EXPECT_EQ(platform::fileExists(engine::fileSorvin), !c.sorvinRemoved);
    EXPECT_EQ(stampOf(kvSetting.KVFile.FileBase), std::make_tuple(8, 0, 7));
}

INSTANTIATE_TEST_SUITE_P(
    Stamps, PackChoice,
    ::testing::Values(
        StampCase{"AllAt800", {8, 0, 0}, {}, {1, 2, 3, 4, 5, 6, 7}, true},
        StampCase{"AllAt804", {8, 0, 4}, {}, {5, 6, 7}, false}, StampCase{"AllAt807", {8, 0, 7}, {}, {7}, false},
        // The lowest Build decides; pack 3 brings everything to 8.0.3 and the rest follow.
        // The Sorvin database at 8.0.5 is passed over by pack 3 and its file kept.
        StampCase{"OneAt802OthersAt805", {8, 0, 5}, {{"Orders", {8, 0, 2}}}, {3, 4, 5, 6, 7}, false},
        StampCase{
            "OneAt802WithSorvin", {8, 0, 5}, {{"Orders", {8, 0, 2}}, {"Sorvin", {8, 0, 2}}}, {3, 4, 5, 6, 7}, true},
        // The stamp of one database decides: 8.1.0 beside 8.0.6 gives 8.0.6.
        StampCase{"OneAt810OthersAt806", {8, 0, 6}, {{"Config", {8, 1, 0}}}, {7}, false}),
    [](const ::testing::TestParamInfo<StampCase>& param) { return std::string(param.param.name); });

TEST_F(UpgradeRunTest, RunLogLinesCarryTheTimeOfDay) {
    build(run_testing::stampedSpec({8, 0, 4}));
    platform::setClock([] { return platform::DateTime{2026, 3, 14, 9, 5, 3}; });

    run::UpgradeRun upgrade(fakePacks(), hooks());
    ASSERT_EQ(upgrade.installPacks(8), RunOutcome::Installed);

    const std::vector<std::string> expected = {
        "09:05:03: Установка обновлений:",
        "09:05:03: Резервная копия баз данных: " + installation->layout().dataRoot + "zuruzod-backup-20260314-090503/",
        "09:05:03: Начало установки Service Pack 00.05",
        "09:05:03: Установлен Service Pack 00.05",
        "09:05:03: Начало установки Service Pack 00.06",
        "09:05:03: Установлен Service Pack 00.06",
        "09:05:03: Начало установки Service Pack 00.07",
        "09:05:03: Установлен Service Pack 00.07",
    };
    EXPECT_EQ(ui.runLog, expected);
}

TEST_F(UpgradeRunTest, AFailingPackStopsTheRunAndResetsLabelAndGauge) {
    build(run_testing::stampedSpec({8, 0, 0}));

    run::UpgradeRun upgrade(fakePacks({2}), hooks());
    EXPECT_EQ(upgrade.installPacks(8), RunOutcome::PackFailed);

    EXPECT_EQ(ran, (std::vector<int>{1, 2}));
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"Установка невозможна\rКод: sp.02"}));
    ASSERT_FALSE(ui.labels.empty());
    EXPECT_EQ(ui.labels.back(), "");
    EXPECT_EQ(ui.overallGauge, 0);
    const std::vector<std::string> lines = {"Установка обновлений:", "Начало установки Service Pack 00.01",
                                            "Установлен Service Pack 00.01", "Начало установки Service Pack 00.02"};
    EXPECT_EQ(log(), lines);
    // The earlier pack stays installed.
    EXPECT_EQ(stampOf(kvSetting.KVFile.FileSystem), std::make_tuple(8, 0, 1));
}

TEST_F(UpgradeRunTest, AVersion7SetIsConvertedFirstAndThenUpgraded) {
    build(run_testing::stampedSpec({7, 12, 4}));

    run::UpgradeRun upgrade(fakePacks(), hooks());
    EXPECT_EQ(upgrade.installPacks(7), RunOutcome::Installed);

    EXPECT_EQ(ran, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(pictures, 1);
    // The picture comes after the label and the pause, before the pack.
    EXPECT_EQ(labelsAtPicture, (std::vector<std::string>{" Установка Service Pack 00.00"}));
    EXPECT_EQ(ranAtPicture, 0u);
    ASSERT_FALSE(pauses.empty());
    EXPECT_EQ(pauses.front(), 500);
    EXPECT_EQ(ui.overallGauge, 886);

    const auto lines = log();
    const std::vector<std::string> head = {
        "Установка обновлений:", "Установка версии 8, Service Pack 00.00", "Начало установки Service Pack 00.00",
        "Установлена версия 8, Service Pack 00.00", "Начало установки Service Pack 00.01"};
    ASSERT_GE(lines.size(), head.size());
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + static_cast<long>(head.size())), head);
    EXPECT_EQ(lines.back(), "Установлен Service Pack 00.07");
    EXPECT_FALSE(platform::fileExists(engine::fileSorvin));
}

TEST_F(UpgradeRunTest, AFailedConversionEndsTheRun) {
    build(run_testing::stampedSpec({7, 12, 4}));

    run::UpgradeRun upgrade(fakePacks({0}), hooks());
    EXPECT_EQ(upgrade.installPacks(7), RunOutcome::ConversionFailed);

    EXPECT_EQ(ran, (std::vector<int>{0}));
    EXPECT_EQ(pictures, 1);
    const std::vector<std::string> lines = {"Установка обновлений:", "Установка версии 8, Service Pack 00.00",
                                            "Начало установки Service Pack 00.00", "Что-то пошло не так (01) ..."};
    EXPECT_EQ(log(), lines);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ui.labels.back(), "");
    EXPECT_EQ(ui.overallGauge, 0);
}

TEST_F(UpgradeRunTest, AConversionThatLeavesNoReadableStampEndsTheRun) {
    build(run_testing::stampedSpec({7, 12, 4}));
    auto packs = fakePacks();
    packs[0].wrapper = [this] {
        ran.push_back(0);
        for (const auto& path : installation->layout().databases) {
            std::remove(path.c_str());
        }
        engine::inc_KolvoStep(30);
        return true;
    };

    run::UpgradeRun upgrade(packs, hooks());
    EXPECT_EQ(upgrade.installPacks(7), RunOutcome::StampsUnreadable);

    EXPECT_EQ(ran, (std::vector<int>{0}));
    const std::vector<std::string> lines = {"Установка обновлений:", "Установка версии 8, Service Pack 00.00",
                                            "Начало установки Service Pack 00.00", "Что-то пошло не так (02) ...",
                                            "2147483647 - 2147483647 - 2147483647"};
    EXPECT_EQ(log(), lines);
    EXPECT_EQ(ui.labels.back(), "");
    EXPECT_EQ(ui.overallGauge, 0);
}

TEST_F(UpgradeRunTest, ConversionNeedsOnlyOneReadableDatabase) {
    build(run_testing::stampedSpec({7, 12, 4}));
    auto packs = fakePacks();
    packs[0].wrapper = [this] {
        ran.push_back(0);
        for (const auto& path : installation->layout().databases) {
            if (path != kvSetting.KVFile.FilePellix) {
                std::remove(path.c_str());
            }
        }
        stampEverywhere(8, 0, 0);
        engine::inc_KolvoStep(30);
        return true;
    };

    run::UpgradeRun upgrade(packs, hooks());
    EXPECT_EQ(upgrade.installPacks(7), RunOutcome::Installed);
    EXPECT_EQ(ran, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
}

TEST_F(UpgradeRunTest, AfterPack3TheSorvinFileAndTheTemporaryOrderFilesGo) {
    build(run_testing::stampedSpec({8, 0, 2}));
    const auto& file = kvSetting.KVFile;
    auto packs = fakePacks();
    // Made during the pack, after the module of the last reading removed its own.
    const auto plainPack3 = packs[3].wrapper;
    packs[3].wrapper = [&, plainPack3] {
        for (const auto& path : {file.FileOrdersTMP, file.FileOrdersTMP2}) {
            platform::replaceFileContents(path, "x");
        }
        return plainPack3();
    };

    run::UpgradeRun upgrade(packs, hooks());
    ASSERT_EQ(upgrade.installPacks(8), RunOutcome::Installed);

    EXPECT_FALSE(platform::fileExists(engine::fileSorvin));
    EXPECT_FALSE(platform::fileExists(file.FileOrdersTMP));
    EXPECT_FALSE(platform::fileExists(file.FileOrdersTMP2));
    EXPECT_FALSE(platform::fileExists(file.FileOrdersTMP3));
    const std::vector<std::string> labels = {" Service Pack 00.00",           " Service Pack 00.01",
                                             " Service Pack 00.02",           " Установка Service Pack 00.03",
                                             " Удаление: Sorvin.fdb",         " Удалён: Sorvin.fdb",
                                             " Установка Service Pack 00.04", " Установка Service Pack 00.05",
                                             " Установка Service Pack 00.06", " Установка Service Pack 00.07"};
    EXPECT_EQ(ui.labels, labels);
}

TEST_F(UpgradeRunTest, WithoutASorvinFileNothingIsRemoved) {
    build(run_testing::stampedSpec({8, 0, 2}, {}, {"Sorvin"}));

    run::UpgradeRun upgrade(fakePacks(), hooks());
    ASSERT_EQ(upgrade.installPacks(8), RunOutcome::Installed);

    EXPECT_EQ(ran, (std::vector<int>{3, 4, 5, 6, 7}));
    for (const auto& label : ui.labels) {
        EXPECT_EQ(label.find("Sorvin"), std::string::npos) << label;
    }
}

// The caller writes the failure entry and resets the window, so the error must reach it.
TEST_F(UpgradeRunTest, AnErrorInAPackReachesTheCaller) {
    build(run_testing::stampedSpec({8, 0, 5}));
    auto packs = fakePacks();
    packs[6].wrapper = [this]() -> bool {
        ran.push_back(6);
        throw std::runtime_error("pack body failed");
    };

    run::UpgradeRun upgrade(packs, hooks());
    EXPECT_THROW(upgrade.installPacks(8), std::runtime_error);
    EXPECT_EQ(ran, (std::vector<int>{6}));
    EXPECT_TRUE(ui.messages.empty());
}

// The failure entry says what went wrong, so that an unexpected end can be explained from the log.
TEST_F(UpgradeRunTest, AnUnexpectedErrorIsRecordedWithItsCause) {
    build(run_testing::stampedSpec({8, 0, 5}));
    auto packs = fakePacks();
    packs[6].wrapper = []() -> bool { throw std::invalid_argument("'KOD;X' is not a plain SQL name"); };

    const auto result = run::runInstallation(8, {}, packs, hooks());
    EXPECT_EQ(result, run::InstallationResult::Error);
    std::string text;
    ASSERT_TRUE(platform::readWholeFile(kvSetting.KVFile.FileRegister, text));
    EXPECT_NE(text.find(": *492 : 'KOD;X' is not a plain SQL name\r\n"), std::string::npos) << text;
    // The user reads the cause too, not only the event log, and is offered the backup (Yes by default here).
    const std::vector<std::string> lines = withoutTimes(ui.runLog);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "Непредвиденный сбой: 'KOD;X' is not a plain SQL name");
    EXPECT_TRUE(lines.back().starts_with("Базы данных восстановлены из резервной копии ")) << lines.back();
    ASSERT_EQ(ui.questions.size(), 1u);
    EXPECT_FALSE(run::readMarker().has_value());
    EXPECT_EQ(ui.overallGauge, 0);
}

TEST_F(UpgradeRunTest, AnEventLogEntryOpensTheRun) {
    build(run_testing::stampedSpec({8, 0, 7}));

    run::UpgradeRun upgrade(fakePacks(), hooks());
    ASSERT_EQ(upgrade.installPacks(8), RunOutcome::Installed);

    std::string text;
    ASSERT_TRUE(platform::readWholeFile(kvSetting.KVFile.FileRegister, text));
    EXPECT_NE(text.find(": *401 Установка обновлений\r\n"), std::string::npos) << text;
}

} // namespace
