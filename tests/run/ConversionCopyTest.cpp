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
