#pragma once

#include <string>
#include <vector>

namespace engine {

// What Firebird's online validation found in one database.
struct Validation {
    enum class Outcome {
        Valid,
        Damaged,   // the report tells of errors, or Firebird finds the file damaged
        NotChecked // the validation could not run: no service manager, a refused login, no rights
    };
    std::string database; // the database's path
    Outcome outcome = Outcome::NotChecked;
    // The errors of the report, without their times; or why the validation could not run.
    std::vector<std::string> findings;
};

// Validates a database online as the installation's user: through the embedded engine,
// or through the local server when one holds the file.
Validation validateDatabase(const std::string& path);

// The errors of a validation report: its lines that tell of an error, without their times.
std::vector<std::string> errorsOfReport(const std::vector<std::string>& report);

} // namespace engine
