#pragma once

#include "engine/DataModule.h"
#include "engine/ReadScope.h"
#include "engine/TextLines.h"
#include "engine/firebird/Statement.h"

#include <cstdint>
#include <functional>
#include <optional>
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
// execute it once per entry, and commits after the last entry. With the
// speed-ups on and a server holding the database, the executions travel many
// parameter sets to a round trip (fb::Statement::gatherRuns), with the same rows. On a failure
// the transaction is committed or rolled back as `onFailure` says, the inner
// gauge is hidden, the failure goes to the event log, and the answer is false.
bool writeRows(TDM1& dm, const std::vector<std::string>& lines, const std::function<void(fb::Statement&)>& body,
               OnFailure onFailure = OnFailure::RollBack);

// The packs' counted read: ft_TableReadRecordCount of `table` (its one step),
// then, when it counts rows, readRows of `lines` in the read transaction,
// committed also on a failure. False only when that read failed.
bool readCountedRows(TDM1& dm, const std::string& table, const std::string& condition,
                     const std::vector<std::string>& lines, const std::function<void(const Row&)>& take);

// The first field of the first row of a reading statement as an integer (NULL,
// or no row, is 0); empty when the read failed, with the failure handled as
// readRows handles it.
std::optional<std::int64_t> readInteger(TDM1& dm, fb::Transaction& transaction, const std::vector<std::string>& lines,
                                        OnFailure onFailure, const std::vector<fb::SqlValue>& params = {});

// The speed-ups of the packs: each gives exactly the result of the statements
// as written and only makes them cheaper. On, unless the environment sets
// ZURUZOD_LITERAL_STATEMENTS=1, which runs the statements as written alone.
bool speedUps();

// A bulk write whose statement finds its rows by one column (a fill "WHERE M =
// :p1", executed once per list entry). With the speed-ups on, and no index of
// the table leading with that column, the column gets a temporary index for the
// duration of the write, so that each execution reads only its own rows instead
// of the whole table. The index is dropped right after the write, whatever its
// outcome; one left by an interrupted run is reused, and dropped as well.
bool writeRowsFilteredBy(TDM1& dm, const std::string& table, const std::string& column,
                         const std::vector<std::string>& lines, const std::function<void(fb::Statement&)>& body,
                         OnFailure onFailure = OnFailure::RollBack);

// The name of the temporary index on a column: "TMP_" + table + "_" + column,
// or "TMP_" and a digest of both when that is longer than a name may be.
std::string temporaryIndexName(const std::string& table, const std::string& column);

// The expression that reads a text column in a select list. A text blob in a
// character set of its own makes the server convert every value on its own,
// which costs more than the rest of a read; with the speed-ups on, a blob whose
// longest value fits a VARCHAR is therefore read as one, with the same texts.
// Anything else, or when the catalogue cannot tell, is the column itself.
std::string textColumnForReading(TDM1& dm, const std::string& table, const std::string& column);

// A field as the packs read them: an integer (NULL is 0), a text (NULL is empty).
std::int64_t integerField(const Row& row, size_t index);
std::string textField(const Row& row, size_t index);

} // namespace engine
