#pragma once

#include "engine/DataModule.h"
#include "engine/ReadScope.h"
#include "engine/firebird/Statement.h"

#include <functional>
#include <string>
#include <vector>

// What the packs' own procedures need besides the engine operations: reads
// that walk a whole result, writes that prepare one statement for many rows,
// and the failure rules of both said once.
namespace engine {

using Row = std::vector<fb::SqlValue>;

// Runs a reading statement in `transaction` and hands every row to `take`, in
// the order the rows arrive; commits after the last row. On a failure the
// transaction is committed or rolled back as `onFailure` says, the statement
// and Firebird's text go to the event log, and the answer is false.
bool readRows(TDM1& dm, fb::Transaction& transaction, const std::vector<std::string>& lines,
              const std::function<void(const Row&)>& take, OnFailure onFailure,
              const std::vector<fb::SqlValue>& params = {});

// A bulk write: prepares `lines` once in the write transaction, lets `body`
// execute it once per entry, and commits after the last entry. On a failure
// the transaction is committed or rolled back as `onFailure` says, the inner
// gauge is hidden, the failure goes to the event log, and the answer is false.
bool writeRows(TDM1& dm, const std::vector<std::string>& lines, const std::function<void(fb::Statement&)>& body,
               OnFailure onFailure = OnFailure::RollBack);

// A field as the packs read them: an integer (NULL is 0), a text (NULL is empty).
std::int64_t integerField(const Row& row, size_t index);
std::string textField(const Row& row, size_t index);

// A text cut into lines at CR LF, a lone CR and a lone LF; a break at the very
// end adds no empty line, an empty line inside stays, no line is trimmed.
std::vector<std::string> splitLines(const std::string& text);
// A line as a whole decimal integer, or `otherwise` when it is not one.
std::int64_t lineAsInteger(const std::string& line, std::int64_t otherwise);

} // namespace engine
