#include "environment/ErrorMessages.h"
#include "environment/EventLog.h"
#include "environment/KvSetting.h"
#include "platform/FileSystem.h"
#include "support/TestInstallation.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using environment::composeEventMessage;
using environment::findErrorMessage;
using environment::kvSetting;

class ErrorMessagesTest : public ::testing::Test {
protected:
    void SetUp() override { testing_support::resetProgramState(); }
    void TearDown() override { testing_support::resetProgramState(); }
};

TEST_F(ErrorMessagesTest, RowsWithoutTextGiveAnEmptyMessage) {
    const int codes[] = {2,   3,   5,   111, 112, 113, 410, 411, 412, 420, 421, 422, 470, 471,
                         472, 473, 474, 475, 476, 477, 478, 481, 482, 483, 484, 485, 491, 492};
    kvSetting.Kod2 = 80001;
    for (int code : codes) {
        SCOPED_TRACE(code);
        const auto* row = findErrorMessage(code);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->nError, code);
        EXPECT_EQ(row->nMsg, 0);
        EXPECT_EQ(row->sMsg, "");
        EXPECT_EQ(composeEventMessage(code), "");
    }
}

// Codes near the table's rows that have none of their own: the line carries the program's title.
TEST_F(ErrorMessagesTest, ACodeWithoutARowIsWrittenAsTheTitle) {
    const int absent[] = {-1,  1,   4,   8,   10,  99,  102, 103, 104, 110, 114, 123, 200, 205, 400,  404,  408,
                          413, 469, 479, 480, 486, 489, 493, 800, 803, 809, 813, 824, 829, 833, 4711, 9900, 9905};
    for (int code : absent) {
        SCOPED_TRACE(code);
        EXPECT_EQ(findErrorMessage(code), nullptr);
        EXPECT_EQ(composeEventMessage(code), "zuruzod 8e");
    }
}

TEST_F(ErrorMessagesTest, MessagesComposeByKind) {
    struct Case {
        int code;
        int kod2;
        std::function<void()> arrange;
        std::string message;
    };
    const auto none = [] {};
    const Case cases[] = {
        // kind 0: the text alone
        {7, 5, none, "Создал архив"},
        {401, 0, none, "Установка обновлений"},
        {402, 80001, none, "Установка обновления"},
        {403, 0, none, "Обновление установлено"},
        {409, 0, none, "Все обновления установлены"},
        {490, 0, none, "Произошел непредвиденный сбой"},
        {802, 0, none, "Склад НЕ обновлён"},
        {811, 0, none, "База НЕ записана в файл"},
        {821, 0, none, "База НЕ записана на сайт"},
        {823, 0, none, "База НЕ записана в сетевую папку"},
        {830, 0, none, "Необходимо провести обслуживание системы"},
        {831, 0, none, "Проведено обслуживание системы"},
        {832, 0, none, "Обслуживание системы НЕ проведено"},
        // kind 1: the databases' folder
        {100, 0, [] { kvSetting.KVDir.dirKalver = "/srv/trellan/base800"; },
         "Работает Trellan, база: /srv/trellan/base800"},
        // kind 10: the title
        {9, 0, none, "Закрытие программы zuruzod 8e"},
        {9, 0, [] { environment::ProgramTitle = "Другое имя"; }, "Закрытие программы Другое имя"},
        // kind 11: the program's path
        {0, 0, none, "Запуск программы: " + platform::executablePath()},
        // kind 12: the archive's names
        {6, 0,
         [] {
             kvSetting.Archive.ArchiveName1 = "/data/Base.fdb";
             kvSetting.Archive.ArchiveName2 = "/backup/Base 2026.zip";
         },
         "Создаю архив: /data/Base.fdb => /backup/Base 2026.zip"},
        // kind 20: the sub-code
        {101, 5, none, " 5"},
        {120, 0, none, " 0"},
        {204, -2, none, " -2"},
        {801, 3, none, "Склад обновлён. № 3"},
        {810, 4, none, "База записана в файл. № 4"},
        {820, 5, none, "База записана на сайт. № 5"},
        {822, 6, none, "База записана в сетевую папку. № 6"},
        // kind 21: the title first
        {812, 4, none, "zuruzod 8e. База извлечена. № 4"},
        // kind 22: a dash and the sub-code
        {9901, 7, none, "-7"},
        {9904, 0, none, "-0"},
        // no row: the title
        {4711, 5, none, "zuruzod 8e"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        testing_support::resetProgramState();
        kvSetting.Kod2 = c.kod2;
        c.arrange();
        EXPECT_EQ(composeEventMessage(c.code), c.message);
        // Composing alone leaves the sub-code for the writer.
        EXPECT_EQ(kvSetting.Kod2, c.kod2);
    }
}

} // namespace
