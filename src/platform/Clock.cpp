#include "platform/Clock.h"

#include <cstdio>
#include <ctime>

namespace platform {
namespace {

DateTime systemNow() {
    std::time_t raw = std::time(nullptr);
    std::tm local{};
    localtime_r(&raw, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

std::function<DateTime()>& source() {
    static std::function<DateTime()> clock = systemNow;
    return clock;
}

} // namespace

DateTime now() {
    return source()();
}

void setClock(std::function<DateTime()> clock) {
    source() = std::move(clock);
}

void resetClock() {
    source() = systemNow;
}

std::string formatDate(const DateTime& t) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", t.day, t.month, t.year);
    return buf;
}

std::string formatTime(const DateTime& t) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    return buf;
}

} // namespace platform
