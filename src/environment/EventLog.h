#pragma once

#include <string>

namespace environment {

// Appends one line for the code to the yearly event log, showing the error box
// where the code calls for it, and consumes kvSetting.Kod2.
// Throws std::runtime_error when the log cannot be written (except at code 0,
// whose entry is dropped when the information folder cannot be made).
// A detail, when given, follows the message after ": " on the same line.
void fw_Write_Register(int nError, const std::string& detail = {});

// While one lives, fw_Write_Register records nothing: for the commands that look at the
// installation, or serve it, outside any run and must leave no trace in its log.
class EventLogPause {
public:
    EventLogPause();
    ~EventLogPause();
    EventLogPause(const EventLogPause&) = delete;
    EventLogPause& operator=(const EventLogPause&) = delete;
};

// The code under which the program records a database statement that failed,
// with the database, the statement and Firebird's text as its detail.
inline constexpr int kDatabaseFailureEvent = 493;

// The code under which the program records a database that the validation after a run could
// not check, with the database and the reason as its detail.
inline constexpr int kDatabaseNotCheckedEvent = 494;

// The message of a code as the log writes it (without date, code or sub-code).
std::string composeEventMessage(int nError);

} // namespace environment
