#pragma once

#include <string>
#include <vector>

namespace engine {

// What Firebird's online validation found in one database.
struct Validation {
    enum class Outcome {
        Valid,
        Damaged,    // the report tells of errors, or Firebird finds the file damaged
        NotChecked, // the validation could not run: no service manager, a refused login, no rights
        Unfinished  // the validation hung past its time or broke off: Firebird does so on some damage
    };
    std::string database; // the database's path
    Outcome outcome = Outcome::NotChecked;
    // The errors of the report, without their times; or why the validation could not run.
    std::vector<std::string> findings;
};

// Validates a database online as the installation's user, in the validator program beside this
// one: Firebird's validation can hang for good on some damage (a pointer page overwritten), and
// only a process of its own can be ended then. The time limit grows with the file's size;
// ZURUZOD_VALIDATION_SECONDS in the environment sets it instead.
Validation validateDatabase(const std::string& path);

// Validates a database online in this process: through the embedded engine, or through the
// local server when one holds the file. The validator program's work.
Validation validateInThisProcess(const std::string& path, const std::vector<std::string>& loginLines);

// The validator's answer on its output, and back: the outcome's word, then a finding a line.
std::string validationAsText(const Validation& validation);
Validation validationFromText(const std::string& path, const std::string& text);

// The errors of a validation report: its lines that tell of an error, without their times.
std::vector<std::string> errorsOfReport(const std::vector<std::string>& report);

} // namespace engine
