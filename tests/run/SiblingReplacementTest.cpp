#include "RunSupport.h"

#include "environment/KvSetting.h"
#include "platform/FileSystem.h"
#include "platform/Resources.h"
#include "run/SiblingReplacement.h"
#include "support/ScriptedUserInterface.h"
#include "support/TestInstallation.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <stdexcept>
#include <vector>

using environment::kvSetting;
using run_testing::withoutTimes;

namespace {

namespace fs = std::filesystem;

const std::string E = "Error 0.7";

std::vector<unsigned char> deflated(const std::vector<unsigned char>& plain) {
    uLongf size = compressBound(static_cast<uLong>(plain.size()));
    std::vector<unsigned char> packed(size);
    if (compress2(packed.data(), &size, plain.data(), static_cast<uLong>(plain.size()), Z_BEST_COMPRESSION) != Z_OK) {
        throw std::runtime_error("compress2 failed");
    }
    packed.resize(size);
    return packed;
}

std::vector<unsigned char> builtIn(const char* name) {
    const auto bytes = platform::findResource(name, "EXE");
    if (!bytes) {
        throw std::runtime_error(std::string("no built-in resource ") + name);
    }
    return {bytes->begin(), bytes->end()};
}

// Standard output of a program run without arguments.
std::string outputOf(const std::string& program) {
    std::string output;
    std::FILE* pipe = ::popen(("'" + program + "' 2>&1").c_str(), "r");
    if (!pipe) {
        return output;
    }
    char buffer[256];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, n);
    }
    return ::pclose(pipe) == 0 ? output : output + "<failed>";
}

class SiblingReplacementTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::resetProgramState();
        folder = dir.path() + "Program/";
        ASSERT_TRUE(platform::createDirectories(folder));
        kvSetting.KVDir.PFVeskKalver8 = folder;
        kvSetting.KVFile.FileRegister = dir.path() + "Register.log";
        hooks.pause = [this](int milliseconds) { pauses.push_back(milliseconds); };
    }
    void TearDown() override { testing_support::resetProgramState(); }

    // The codes of the event log in the order written.
    std::vector<int> eventCodes() const {
        std::string text;
        platform::readWholeFile(kvSetting.KVFile.FileRegister, text);
        static const std::regex code(R"(: \*(\d+))");
        std::vector<int> codes;
        for (auto it = std::sregex_iterator(text.begin(), text.end(), code); it != std::sregex_iterator(); ++it) {
            codes.push_back(std::stoi((*it)[1]));
        }
        return codes;
    }

    // The names in the program folder, sorted.
    std::vector<std::string> folderContents() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    void writeOld(const std::string& name) const { platform::replaceFileContents(folder + name, "old"); }

    testing_support::TempDir dir;
    testing_support::ScriptedUserInterface ui;
    std::string folder;
    run::RunHooks hooks;
    std::vector<int> pauses;
};

TEST_F(SiblingReplacementTest, BuiltInResourcesAreZlibStreams) {
    for (const char* name : {"MORFA", "KV8H"}) {
        const auto bytes = builtIn(name);
        ASSERT_GE(bytes.size(), 2u) << name;
        // RFC 1950: deflate method, and the header taken as a number is a multiple of 31.
        EXPECT_EQ(bytes[0] & 0x0f, 8) << name;
        EXPECT_EQ((bytes[0] * 256 + bytes[1]) % 31, 0) << name;
    }
    EXPECT_FALSE(platform::findResource("MORFA", "ICON"));
    EXPECT_FALSE(platform::findResource("OTHER", "EXE"));
}

TEST_F(SiblingReplacementTest, WritesBothProgramsRunnableOverTheOldOnes) {
    writeOld("morfa_8.exe");
    writeOld("kv8_h.exe");

    EXPECT_FALSE(run::replaceSiblingExecutables(0, 7, hooks));

    EXPECT_EQ(withoutTimes(ui.runLog), (std::vector<std::string>{"morfa_8.exe - переписан", "kv8_h.exe - переписан"}));
    EXPECT_EQ(ui.labels, (std::vector<std::string>{" Удаление: morfa_8.exe", " Удаление: kv8_h.exe",
                                                   " Установка morfa_8.exe", " Установка kv8_h.exe"}));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ui.overallGauge, 3);
    EXPECT_EQ(pauses, (std::vector<int>{50, 50, 50, 50, 50}));
    EXPECT_EQ(eventCodes(), (std::vector<int>{410, 484, 411, 420, 484, 421}));
    EXPECT_EQ(folderContents(), (std::vector<std::string>{"kv8_h.exe", "morfa_8.exe"}));
    for (const std::string name : {"morfa_8.exe", "kv8_h.exe"}) {
        const auto perms = fs::status(folder + name).permissions();
        EXPECT_EQ(perms & fs::perms::all, fs::perms(0755)) << name;
        const std::string output = outputOf(folder + name);
        EXPECT_NE(output.find(name), std::string::npos) << output;
        EXPECT_NE(output.find("8.0.7.24"), std::string::npos) << output;
        EXPECT_EQ(output.find("<failed>"), std::string::npos) << output;
    }
}

TEST_F(SiblingReplacementTest, BusyFirstProgramStopsTheReplacement) {
    // A folder under the program's name cannot be removed, as a running program cannot on Windows.
    ASSERT_TRUE(platform::createDirectories(folder + "morfa_8.exe"));
    writeOld("kv8_h.exe");

    EXPECT_TRUE(run::replaceSiblingExecutables(0, 7, hooks));

    EXPECT_EQ(ui.messages, (std::vector<std::string>{E + "_101", E + "_102", E + "_111"}));
    EXPECT_EQ(withoutTimes(ui.runLog), (std::vector<std::string>{"morfa_8.exe занят"}));
    EXPECT_EQ(ui.overallGauge, 3);
    EXPECT_EQ(eventCodes(), (std::vector<int>{410, 483, 411, 421}));
    // The old second program is gone and the new one was not written.
    EXPECT_EQ(folderContents(), (std::vector<std::string>{"morfa_8.exe"}));
    EXPECT_TRUE(platform::directoryExists(folder + "morfa_8.exe"));
}

TEST_F(SiblingReplacementTest, BusySecondProgramIsReportedAfterTheFirstIsWritten) {
    ASSERT_TRUE(platform::createDirectories(folder + "kv8_h.exe"));

    EXPECT_TRUE(run::replaceSiblingExecutables(3, 12, hooks));

    EXPECT_EQ(ui.messages, (std::vector<std::string>{"Error 3.12_102"}));
    EXPECT_EQ(withoutTimes(ui.runLog), (std::vector<std::string>{"morfa_8.exe - переписан", "kv8_h.exe занят"}));
    EXPECT_EQ(ui.overallGauge, 3);
    EXPECT_EQ(eventCodes(), (std::vector<int>{410, 484, 411, 420, 483, 421}));
}

struct Damage {
    const char* name;
    std::vector<unsigned char> (*apply)(std::vector<unsigned char>);
};

class DamagedPayload : public SiblingReplacementTest, public ::testing::WithParamInterface<Damage> {};

TEST_P(DamagedPayload, FailsTheFirstProgramWithoutLeavingAFile) {
    const auto damaged = GetParam().apply(builtIn("MORFA"));
    const auto kv8h = builtIn("KV8H");
    const platform::Resource table[] = {{"MORFA", "EXE", damaged}, {"KV8H", "EXE", kv8h}};
    platform::ScopedResourceTable swap(table);
    writeOld("morfa_8.exe");

    EXPECT_TRUE(run::replaceSiblingExecutables(0, 7, hooks));

    EXPECT_EQ(ui.messages, (std::vector<std::string>{E + "_111"}));
    EXPECT_TRUE(ui.runLog.empty());
    EXPECT_EQ(ui.overallGauge, 3);
    EXPECT_EQ(eventCodes(), (std::vector<int>{410, 412, 411, 421}));
    EXPECT_TRUE(folderContents().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Damages, DamagedPayload,
    ::testing::Values(
        Damage{"EndsEarly",
               [](std::vector<unsigned char> bytes) {
                   bytes.resize(bytes.size() / 2);
                   return bytes;
               }},
        Damage{"WrongChecksum",
               [](std::vector<unsigned char> bytes) {
                   bytes.back() ^= 0xff;
                   return bytes;
               }},
        Damage{"NotZlib",
               [](std::vector<unsigned char> bytes) { return std::vector<unsigned char>(bytes.size(), 0x55); }},
        Damage{"Empty", [](std::vector<unsigned char>) { return std::vector<unsigned char>{}; }},
        Damage{"BeyondTheSizeLimit",
               [](std::vector<unsigned char>) { return deflated(std::vector<unsigned char>(65u << 20)); }}),
    [](const ::testing::TestParamInfo<Damage>& damage) { return std::string(damage.param.name); });

TEST_F(SiblingReplacementTest, DamagedSecondProgramIsLogged422) {
    const auto morfa = builtIn("MORFA");
    auto kv8h = builtIn("KV8H");
    kv8h.resize(kv8h.size() - 1);
    const platform::Resource table[] = {{"MORFA", "EXE", morfa}, {"KV8H", "EXE", kv8h}};
    platform::ScopedResourceTable swap(table);

    EXPECT_TRUE(run::replaceSiblingExecutables(0, 7, hooks));

    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(withoutTimes(ui.runLog), (std::vector<std::string>{"morfa_8.exe - переписан"}));
    EXPECT_EQ(ui.overallGauge, 3);
    EXPECT_EQ(eventCodes(), (std::vector<int>{410, 484, 411, 420, 422, 421}));
    EXPECT_EQ(folderContents(), (std::vector<std::string>{"morfa_8.exe"}));
}

TEST_F(SiblingReplacementTest, UnwritableFolderFailsLikeDamagedData) {
    kvSetting.KVDir.PFVeskKalver8 = dir.path() + "Missing/";

    EXPECT_TRUE(run::replaceSiblingExecutables(0, 7, hooks));

    EXPECT_EQ(ui.messages, (std::vector<std::string>{E + "_111"}));
    EXPECT_EQ(eventCodes(), (std::vector<int>{410, 412, 411, 421}));
    EXPECT_EQ(ui.overallGauge, 3);
}

TEST_F(SiblingReplacementTest, UpToTheSizeLimitIsWritten) {
    const auto packed = deflated(std::vector<unsigned char>(64u << 20));
    const platform::Resource table[] = {{"MORFA", "EXE", packed}};
    platform::ScopedResourceTable swap(table);

    EXPECT_EQ(run::fw_ExtractResource("MORFA", "EXE", "morfa_8.exe", true), 0);
    EXPECT_EQ(fs::file_size(folder + "morfa_8.exe"), 64u << 20);
}

TEST_F(SiblingReplacementTest, MissingResourceShowsNothingAndLeavesTheFlag) {
    const auto kv8h = builtIn("KV8H");
    const platform::Resource table[] = {{"KV8H", "EXE", kv8h}};
    platform::ScopedResourceTable swap(table);

    EXPECT_FALSE(run::replaceSiblingExecutables(0, 7, hooks));

    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(withoutTimes(ui.runLog), (std::vector<std::string>{"kv8_h.exe - переписан"}));
    EXPECT_EQ(ui.overallGauge, 3);
    EXPECT_EQ(eventCodes(), (std::vector<int>{410, 482, 411, 420, 484, 421}));

    for (const bool before : {false, true}) {
        bool failed = before;
        run::ExtractSibling("MORFA", "EXE", "morfa_8.exe", true, failed, hooks);
        EXPECT_EQ(failed, before);
    }
    EXPECT_EQ(withoutTimes(ui.runLog).size(), 1u);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(eventCodes().back(), 482);
}

TEST_F(SiblingReplacementTest, ExistingFileIsKeptWithoutOverwrite) {
    writeOld("morfa_8.exe");

    EXPECT_EQ(run::fw_ExtractResource("MORFA", "EXE", "morfa_8.exe", false), 4);

    EXPECT_EQ(eventCodes(), (std::vector<int>{481}));
    std::string contents;
    ASSERT_TRUE(platform::readWholeFile(folder + "morfa_8.exe", contents));
    EXPECT_EQ(contents, "old");

    // Without a file in the way the same call writes it.
    EXPECT_EQ(run::fw_ExtractResource("KV8H", "EXE", "kv8_h.exe", false), 0);
    EXPECT_EQ(eventCodes(), (std::vector<int>{481, 484}));
}

} // namespace
