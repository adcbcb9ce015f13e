#include "engine/firebird/SqlValue.h"

#include <cmath>
#include <cstdio>

namespace engine::fb {

double Scaled::toDouble() const {
    return static_cast<double>(digits) / std::pow(10.0, scale);
}

std::string toText(const SqlValue& value) {
    struct Writer {
        std::string operator()(std::monostate) const { return {}; }
        std::string operator()(std::int64_t number) const { return std::to_string(number); }
        std::string operator()(double number) const {
            char text[64];
            std::snprintf(text, sizeof text, "%.15g", number);
            return text;
        }
        std::string operator()(const Scaled& number) const {
            const bool negative = number.digits < 0;
            std::string digits = std::to_string(negative ? -(number.digits + 1) + 1 : number.digits);
            if (number.scale > 0) {
                if (digits.size() <= static_cast<size_t>(number.scale)) {
                    digits.insert(0, static_cast<size_t>(number.scale) + 1 - digits.size(), '0');
                }
                digits.insert(digits.size() - static_cast<size_t>(number.scale), ".");
            }
            return (negative ? "-" : "") + digits;
        }
        std::string operator()(const std::string& text) const { return text; }
        std::string operator()(const Date& d) const { return platform::formatDate({d.year, d.month, d.day}); }
        std::string operator()(const Time& t) const {
            return platform::formatTime({1899, 12, 30, t.hour, t.minute, t.second});
        }
        std::string operator()(const Timestamp& t) const {
            return platform::formatDate(t.value) + " " + platform::formatTime(t.value);
        }
    };
    return std::visit(Writer{}, value);
}

} // namespace engine::fb
