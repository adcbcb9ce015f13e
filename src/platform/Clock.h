#pragma once

#include <functional>
#include <string>

namespace platform {

// A local calendar date and time, to the second.
struct DateTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The current local time. Tests replace the source to run across a new year.
DateTime now();
void setClock(std::function<DateTime()> source);
void resetClock();

// "dd.MM.yyyy" and "HH:mm:ss", the formats the whole program uses.
std::string formatDate(const DateTime& t);
std::string formatTime(const DateTime& t);

} // namespace platform
