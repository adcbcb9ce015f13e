#include "engine/DatabaseValidation.h"

#include <gtest/gtest.h>

namespace {

using Outcome = engine::Validation::Outcome;

TEST(ValidationAnswer, EveryOutcomeComesBackWithItsFindingsOneALine) {
    const engine::Validation sent[] = {
        {"/data/Base.fdb", Outcome::Valid, {}},
        {"/data/Orders.fdb",
         Outcome::Damaged,
         {"Error: Page 12 wrong type", "Validation finished: 1 errors,\n0 warnings"}},
        {"/data/Price.fdb", Outcome::NotChecked, {"база занята другой программой: lock time-out\r\non wait"}},
        {"/data/Pellix.fdb", Outcome::Unfinished, {"проверка не закончилась за 60 с"}},
    };
    for (const auto& validation : sent) {
        const engine::Validation back =
            engine::validationFromText(validation.database, engine::validationAsText(validation));
        EXPECT_EQ(back.database, validation.database);
        EXPECT_EQ(back.outcome, validation.outcome) << validation.database;
        ASSERT_EQ(back.findings.size(), validation.findings.size()) << validation.database;
        for (size_t i = 0; i < back.findings.size(); ++i) {
            EXPECT_EQ(back.findings[i].find_first_of("\r\n"), std::string::npos) << back.findings[i];
        }
    }
    EXPECT_EQ(engine::validationFromText("x", engine::validationAsText(sent[1])).findings[1],
              "Validation finished: 1 errors, 0 warnings");
}

// A validator that died before its answer, or wrote something else, checked nothing.
TEST(ValidationAnswer, AnAnswerCutShortOrUnknownIsAnUnfinishedCheck) {
    for (const char* text : {"", "valid", "fine\nall good\n", "\n"}) {
        const engine::Validation back = engine::validationFromText("/data/Base.fdb", text);
        EXPECT_EQ(back.outcome, Outcome::Unfinished) << text;
        EXPECT_EQ(back.findings, std::vector<std::string>{"программа проверки не дала ответа"}) << text;
    }
}

} // namespace
