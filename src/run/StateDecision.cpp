#include "run/StateDecision.h"

namespace run {

StateDecision decideState(int V, int S, int B) {
    StateDecision decision;
    auto say = [&](std::initializer_list<std::string> lines) { decision.lines.insert(decision.lines.end(), lines); };
    if (V < 7) {
        say({"У Вас НЕ установлена версия программы 7", "Обратитесь к разработчику", ""});
        V = 7;
    }
    decision.MinVersion = V;
    if (V == 7 && (S < 12 || B == 0)) {
        say({"У Вас НЕ установлено последнее обновление версии 7.12 (" + std::to_string(V) + "." + std::to_string(S) +
                 "." + std::to_string(B) + ")",
             "Обратитесь к разработчику", ""});
        if (S < 12) {
            return decision;
        }
    }
    if (V > 8) {
        say({"У Вас установлена более новая версия программы", "Вы не можете вернуться к старой версии", ""});
        return decision;
    }
    if (V == 8 && S > 0) {
        say({"У Вас установлено более новое обновление", "Вы не можете вернуться к старому обновлению", ""});
        return decision;
    }
    decision.ready = true;
    return decision;
}

} // namespace run
