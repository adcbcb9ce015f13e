#pragma once

#include "platform/Clock.h"

#include <cstdint>
#include <string>
#include <variant>

namespace engine::fb {

struct Date {
    int year = 1899;
    int month = 12;
    int day = 30;
    bool operator==(const Date&) const = default;
};

// A time of day; the fraction is in ten-thousandths of a second, as Firebird keeps it.
struct Time {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int fraction = 0;
    bool operator==(const Time&) const = default;
};

struct Timestamp {
    platform::DateTime value;
    int fraction = 0;
};

// An exact number with digits after the point: value = digits / 10^scale.
struct Scaled {
    std::int64_t digits = 0;
    int scale = 0;
    bool operator==(const Scaled&) const = default;
    double toDouble() const;
};

// A parameter or field value: NULL, an integer, a floating-point number, an
// exact scaled number, a text (UTF-8; blobs read as their bytes), a date, a
// time of day, a timestamp.
using SqlValue = std::variant<std::monostate, std::int64_t, double, Scaled, std::string, Date, Time, Timestamp>;

inline bool isNull(const SqlValue& v) {
    return std::holds_alternative<std::monostate>(v);
}

// The value as the program writes it: numbers in decimal with "." as separator,
// dates "dd.MM.yyyy", times "HH:mm:ss", NULL as an empty text.
std::string toText(const SqlValue& value);

} // namespace engine::fb
