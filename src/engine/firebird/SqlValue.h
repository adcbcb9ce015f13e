#pragma once

#include "platform/Clock.h"

#include <cstdint>
#include <string>
#include <variant>

namespace engine::fb {

struct Timestamp {
    platform::DateTime value;
};

struct Date {
    int year = 1899;
    int month = 12;
    int day = 30;
};

// A parameter or field value: NULL, an integer, a text (UTF-8), a date, a timestamp.
using SqlValue = std::variant<std::monostate, std::int64_t, std::string, Timestamp, Date>;

inline bool isNull(const SqlValue& v) {
    return std::holds_alternative<std::monostate>(v);
}

} // namespace engine::fb
