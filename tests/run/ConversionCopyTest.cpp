#include "RunSupport.h"

#include "environment/PreFlight.h"
#include "platform/FileSystem.h"
#include "run/ConversionCopy.h"
#include "support/ScriptedUserInterface.h"

#include <gtest/gtest.h>

#include <filesystem>

using environment::kvSetting;

namespace {

// A 7.12 installation found by the pre-flight, its version-8 folder not made yet.
class ConversionCopyTest : public ::testing::Test {
protected:
    void SetUp() override {
        tools::InstallationSpec spec = run_testing::stampedSpec({7, 12, 4});
        spec.release = tools::Release::V712;
        installation = std::make_unique<testing_support::TestInstallation>(spec);
        environment::Files712 = {};
        ASSERT_TRUE(environment::control_UpgradeFiles(installation->preFlightEnvironment()));
        ASSERT_TRUE(environment::Files712.file7);
        engine::fileSorvin = kvSetting.KVDir.dirKalver + "Sorvin.fdb";
        std::filesystem::remove_all(kvSetting.KVDir.dirKalver);
    }

    testing_support::ScriptedUserInterface ui;
    std::unique_ptr<testing_support::TestInstallation> installation;
};

} // namespace

TEST_F(ConversionCopyTest, EveryPairIsCopiedIntoAVersion8FolderMadeForIt) {
    std::vector<std::string> targets;
    int done = 0;
    run::CopyProgress progress;
    progress.copying = [&](const std::string&, const std::string& target) { targets.push_back(target); };
    progress.pairDone = [&] { ++done; };
    run::copyFiles712(progress, {});
    EXPECT_EQ(done, run::kCopyPairs);
    const auto& file = kvSetting.KVFile;
    for (const auto& path : {file.FilePrice, engine::fileSorvin, file.FileBase, file.FileConfig, file.FileSystem,
                             file.FileGrelto, file.FileOrders, file.FilePellix, file.fileKladr, file.fileKladrMain}) {
        EXPECT_TRUE(platform::fileExists(path)) << path;
    }
    EXPECT_EQ(std::get<2>(run_testing::stampOf(file.FileBase)), 4);
}

TEST_F(ConversionCopyTest, AddressDatabasesAlreadyThereAreKeptAndTheRestReplaced) {
    platform::createDirectories(kvSetting.KVDir.dirKalver);
    platform::replaceFileContents(kvSetting.KVFile.fileKladr, "kept");
    platform::replaceFileContents(kvSetting.KVFile.FileBase, "replaced");
    run::copyFiles712({}, {});
    std::string kladr;
    platform::readWholeFile(kvSetting.KVFile.fileKladr, kladr);
    EXPECT_EQ(kladr, "kept");
    EXPECT_EQ(std::get<0>(run_testing::stampOf(kvSetting.KVFile.FileBase)), 7);
}

TEST_F(ConversionCopyTest, ACopyThatFailsStopsWithAMessageAndLeavesTheSetIncomplete) {
    // A folder where the Base copy must go: its rename fails.
    platform::createDirectories(kvSetting.KVFile.FileBase + "/");
    int done = 0;
    run::CopyProgress progress;
    progress.pairDone = [&] { ++done; };
    EXPECT_FALSE(run::copyFiles712(progress, {}));
    EXPECT_EQ(done, 2);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("не удалось скопировать " + environment::Files712.fileBase), std::string::npos)
        << ui.messages[0];
    EXPECT_FALSE(platform::fileExists(kvSetting.KVFile.FileConfig));
    EXPECT_FALSE(platform::fileExists(kvSetting.KVFile.FileBase + ".part"));
    // The 7.12 files are only read.
    EXPECT_EQ(std::get<2>(run_testing::stampOf(environment::Files712.fileBase)), 4);
}

TEST_F(ConversionCopyTest, ACopyCutShortIsTakenAsIncompleteAndOfferedAgain) {
    ASSERT_TRUE(run::copyFiles712({}, {}));
    ASSERT_FALSE(platform::fileExists(environment::copyMarkerPath()));
    // As a copy that ended after Orders leaves it: the marker still there, Pellix not copied yet.
    platform::replaceFileContents(environment::copyMarkerPath(), "");
    std::filesystem::remove(kvSetting.KVFile.FilePellix);

    ASSERT_TRUE(environment::control_UpgradeFiles(installation->preFlightEnvironment()));
    EXPECT_FALSE(environment::Files712.file8);
    EXPECT_TRUE(environment::Files712.file7);
    ASSERT_TRUE(run::copyFiles712({}, {}));
    EXPECT_TRUE(platform::fileExists(kvSetting.KVFile.FilePellix));
    ASSERT_TRUE(environment::control_UpgradeFiles(installation->preFlightEnvironment()));
    EXPECT_TRUE(environment::Files712.file8);
}

TEST_F(ConversionCopyTest, WithoutSpaceForTheCopyNothingIsCopiedAndTheMessageSaysHowMuchIsNeeded) {
    run_testing::SmallDisk disk(kvSetting.KVDir.dirKalver, 4);
    if (!disk.mounted()) {
        GTEST_SKIP() << "a small disk needs root to be mounted";
    }

    EXPECT_FALSE(run::copyFiles712({}, {}));

    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("недостаточно места на диске: нужно "), std::string::npos) << ui.messages[0];
    EXPECT_NE(ui.messages[0].find("МБ в " + kvSetting.KVDir.dirKalver), std::string::npos) << ui.messages[0];
    EXPECT_TRUE(std::filesystem::is_empty(kvSetting.KVDir.dirKalver));
    ASSERT_TRUE(environment::control_UpgradeFiles(installation->preFlightEnvironment()));
    EXPECT_FALSE(environment::Files712.file8);
    EXPECT_TRUE(environment::Files712.file7);
}
