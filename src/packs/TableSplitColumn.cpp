#include "packs/TableSplitColumn.h"

#include "engine/EngineState.h"
#include "engine/PackToolkit.h"
#include "engine/firebird/SqlText.h"
#include "engine/firebird/Statement.h"

#include <cstdint>
#include <vector>

namespace packs {

engine::Operation ft_TableSplitColumn(std::string SourceTable, std::string LinkTable, std::string KeyColumn,
                                      std::string ListColumn) {
    return {5,
            [=](engine::TDM1& dm) {
                struct TKindOpen {
                    std::int64_t NumberMaterial = 0;
                    std::string KindOpen;
                };
                for (const auto& name : {SourceTable, LinkTable, KeyColumn, ListColumn}) {
                    engine::fb::plainIdentifier(name);
                }
                dm.ft_TableAdd(LinkTable, KeyColumn + " INT, " + ListColumn + " INT", "", 0);
                const int n = dm.ft_TableReadRecordCount(SourceTable, "");
                // A column an earlier run has split already is not split again: a run
                // after a failure later in the pack must be able to finish it.
                if (n <= 0 || !dm.control_Column(SourceTable, ListColumn)) {
                    engine::inc_KolvoStep(2);
                } else {
                    std::vector<TKindOpen> lists;
                    const bool read = engine::readRows(
                        dm, dm.IBTrWrite,
                        {"SELECT", KeyColumn + ", " + engine::textColumnForReading(dm, SourceTable, ListColumn),
                         "FROM " + SourceTable},
                        [&](const engine::Row& row) {
                            lists.push_back({engine::integerField(row, 0), engine::textField(row, 1)});
                        },
                        engine::OnFailure::Commit);
                    if (!read) {
                        return engine::Flow::Next;
                    }
                    engine::inc_KolvoStep(1);
                    engine::gauge2_Show(static_cast<int>(lists.size()));
                    const bool written = engine::writeRows(
                        dm,
                        {"INSERT", "INTO " + LinkTable, "(" + KeyColumn + ", " + ListColumn + ")", "VALUES (:p0, :p1)"},
                        [&](engine::fb::Statement& insert) {
                            // Rows of a split cut short before its column was dropped are written anew.
                            engine::fb::Statement(dm.IBTrWrite, {"DELETE FROM " + LinkTable}).execute();
                            for (const auto& record : lists) {
                                engine::gauge2_Next();
                                for (const auto& line : engine::splitLines(record.KindOpen)) {
                                    const std::int64_t value = engine::lineAsInteger(line, -1);
                                    if (value > 0) {
                                        insert.execute({record.NumberMaterial, value});
                                    }
                                }
                            }
                        });
                    if (!written) {
                        return engine::Flow::Next;
                    }
                    engine::gauge2_Hide();
                    engine::inc_KolvoStep(1);
                }
                dm.fc_ColumnDelete(SourceTable, ListColumn);
                return engine::Flow::Next;
            },
            {SourceTable}};
}

} // namespace packs
