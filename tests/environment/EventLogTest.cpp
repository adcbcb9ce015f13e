#include "FolderInstallation.h"

#include "environment/EventLog.h"
#include "environment/InstallCheck.h"
#include "environment/KvSetting.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "support/ScriptedUserInterface.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

namespace {

using environment::fw_Write_Register;
using environment::kvSetting;
using environment_tests::contentsOf;
using environment_tests::FolderInstallation;

const platform::DateTime kLastSecondsOf2026{2026, 12, 31, 23, 59, 58};
const std::string kStamp = "31.12.2026 23:59:58: ";

class EventLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::setClock([] { return kLastSecondsOf2026; });
        ASSERT_TRUE(environment::control_Install("h"));
        ASSERT_EQ(kvSetting.KVFile.FileRegister, installation.layout.infoDir + "Register 2026.log");
    }

    std::string log() const { return contentsOf(kvSetting.KVFile.FileRegister); }

    FolderInstallation installation;
    testing_support::ScriptedUserInterface ui;
};

TEST_F(EventLogTest, StartEntryCreatesTheInformationFolderAndTheYearsFile) {
    ASSERT_FALSE(std::filesystem::exists(installation.layout.dataRoot + "Версия"));
    fw_Write_Register(0);
    const std::string start = "\r\n" + kStamp + "*000 Запуск программы: " + platform::executablePath() + "\r\n";
    EXPECT_EQ(log(), start);

    // Every later start is set apart from the entries before it by an empty line.
    fw_Write_Register(9);
    fw_Write_Register(0);
    EXPECT_EQ(log(), start + kStamp + "*009 Закрытие программы zuruzod 8e\r\n" + start);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(EventLogTest, EntriesAreWrittenByteForByte) {
    struct Case {
        int code;
        int kod2;
        std::string line; // after the date and time
        std::string box;  // empty: none shown
    };
    const std::string box = "Произошла ошибка. Код: ";
    const std::string table = "\r\rПроверьте по таблице кодов";
    const Case cases[] = {
        // The kind-20 text takes the sub-code before the box consumes it.
        {101, 5, "*101  5", box + "101-5" + table},
        {102, 5, "*102 zuruzod 8e", box + "102-5" + table},
        {104, 1, "*104 zuruzod 8e", box + "104-1" + table},
        {103, 80001, "*103 zuruzod 8e", box + "103-80001" + table},
        {101, 0, "*101  0", ""},
        {100, 5, "*100 Работает Trellan, база: ", ""},
        {105, 5, "*105 zuruzod 8e", ""},
        {402, 80001, "*402 Установка обновления 80001", ""},
        {402, 0, "*402 Установка обновления", ""},
        {402, 10000, "*402 Установка обновления", ""},
        {403, 10001, "*403 Обновление установлено 10001", ""},
        {801, 80001, "*801 Склад обновлён. № 80001 80001", ""},
        {474, 0, "*474 ", ""},
        {2, 0, "*002 ", ""},
        {4711, 0, "*4711 zuruzod 8e", ""},
        {9901, 7, "*9901 -7", ""},
    };
    installation.createInfoFolder();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.code) + "-" + std::to_string(c.kod2));
        ui.messages.clear();
        const std::string before = platform::fileExists(kvSetting.KVFile.FileRegister) ? log() : "";
        kvSetting.Kod2 = c.kod2;

        fw_Write_Register(c.code);
        EXPECT_EQ(log(), before + kStamp + c.line + "\r\n");
        EXPECT_EQ(ui.messages, c.box.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.box});
        EXPECT_EQ(kvSetting.Kod2, 0);
    }
}

// The example of a service pack: its start carries the pack number, its end does not.
TEST_F(EventLogTest, SubCodeIsConsumedByOneEntry) {
    installation.createInfoFolder();
    kvSetting.Kod2 = 80003;
    fw_Write_Register(402);
    fw_Write_Register(403);
    EXPECT_EQ(log(), kStamp + "*402 Установка обновления 80003\r\n" + kStamp + "*403 Обновление установлено\r\n");
}

TEST_F(EventLogTest, OtherCodesDoNotCreateTheInformationFolder) {
    kvSetting.Kod2 = 80001;
    EXPECT_THROW(fw_Write_Register(402), std::runtime_error);
    EXPECT_FALSE(std::filesystem::exists(installation.layout.dataRoot + "Версия"));
}

TEST_F(EventLogTest, UnwritableLogFileRaises) {
    installation.createInfoFolder();
    ASSERT_TRUE(platform::createDirectories(kvSetting.KVFile.FileRegister));
    EXPECT_THROW(fw_Write_Register(401), std::runtime_error);
    EXPECT_THROW(fw_Write_Register(0), std::runtime_error);
}

TEST_F(EventLogTest, StartEntryIsDroppedWhenTheFolderCannotBeMade) {
    // A file where a folder of the path should be.
    platform::replaceFileContents(installation.layout.dataRoot + "Версия", "");
    kvSetting.Kod2 = 80001;
    EXPECT_NO_THROW(fw_Write_Register(0));
    EXPECT_TRUE(platform::fileExists(installation.layout.dataRoot + "Версия"));
    EXPECT_EQ(contentsOf(installation.layout.dataRoot + "Версия"), "");
    // Nothing was written, so nothing consumed the sub-code.
    EXPECT_EQ(kvSetting.Kod2, 80001);
}

// Started on the last day of a year and still running in the next: one file for the whole run.
TEST_F(EventLogTest, RunIntoTheNewYearKeepsTheStartYearsFile) {
    testing_support::resetProgramState();
    platform::setClock([] { return platform::DateTime{2025, 12, 31, 23, 59, 59}; });
    ASSERT_TRUE(environment::control_Install("h"));
    fw_Write_Register(0);
    platform::setClock([] { return platform::DateTime{2026, 1, 1, 0, 0, 1}; });
    fw_Write_Register(401);

    EXPECT_EQ(contentsOf(installation.layout.infoDir + "Register 2025.log"),
              "\r\n31.12.2025 23:59:59: *000 Запуск программы: " + platform::executablePath() +
                  "\r\n01.01.2026 00:00:01: *401 Установка обновлений\r\n");
    EXPECT_FALSE(std::filesystem::exists(installation.layout.infoDir + "Register 2026.log"));
}

} // namespace
