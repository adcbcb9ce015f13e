#include "engine/ServerVersion.h"

#include <cmath>
#include <cstdlib>

namespace engine {

int parseFirebirdVersion(const std::string& versionText) {
    const auto blank = versionText.rfind(' ');
    const std::string number = blank == std::string::npos ? versionText : versionText.substr(blank + 1);
    if (number.empty()) {
        return -1;
    }
    // Digits with at most one "." and nothing else, as a strict decimal reading would accept.
    bool point = false;
    bool digit = false;
    for (size_t i = 0; i < number.size(); ++i) {
        const char c = number[i];
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else if ((c == '-' || c == '+') && i == 0) {
            continue;
        } else {
            return -1;
        }
    }
    if (!digit) {
        return -1;
    }
    const double value = std::strtod(number.c_str(), nullptr) * 10.0;
    return static_cast<int>(std::nearbyint(value));
}

std::string outdatedFirebirdMessage(int firebirdVersion) {
    std::string version = std::to_string(firebirdVersion / 10);
    if (firebirdVersion % 10 != 0) {
        version += "." + std::to_string(firebirdVersion % 10);
    }
    return "У Вас устаревшая версия Firebird " + version + "\r\r" +
           "Новую версию Firebird 2.5 можно приобрести у разработчика" + "\r" + "БЕСПЛАТНО (т.е. на халяву)" + "\r\r" +
           "PS. Работоспособность программы " + "\"Калвер\"" + "\r" + "на старом Firebird не гарантируется";
}

} // namespace engine
