#include "support/ScriptedUserInterface.h"

#include <algorithm>

namespace testing_support {

ScriptedUserInterface::ScriptedUserInterface() {
    platform::setUserInterface(this);
}

ScriptedUserInterface::~ScriptedUserInterface() {
    platform::setUserInterface(nullptr);
}

bool ScriptedUserInterface::askYesNo(const std::string& text) {
    questions.push_back(text);
    if (answers.empty()) {
        return true;
    }
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

void ScriptedUserInterface::overallGaugeAdd(int steps) {
    overallGauge = std::min(overallGauge + steps, overallMaximum);
}

void ScriptedUserInterface::overallGaugeReset(int maximum) {
    overallMaximum = maximum;
    overallGauge = 0;
}

void ScriptedUserInterface::innerGaugeShow(int maximum) {
    innerVisible = true;
    innerMaximum = maximum;
    innerPosition = 0;
}

void ScriptedUserInterface::innerGaugeNext() {
    if (innerVisible) {
        ++innerPosition;
    }
}

} // namespace testing_support
