#include "packs/CodeFill.h"

#include "engine/EngineState.h"
#include "engine/PackToolkit.h"
#include "engine/firebird/SqlText.h"

namespace packs {

engine::Operation codeFill(std::string table, std::string codeColumn, std::string nameColumn,
                           std::function<std::vector<CodeEntry>()> entries) {
    return {1, [=](engine::TDM1& dm) {
                const std::vector<std::string> lines = {"UPDATE " + engine::fb::plainIdentifier(table), "SET",
                                                        engine::fb::plainIdentifier(codeColumn) + " = :p0",
                                                        "WHERE " + engine::fb::plainIdentifier(nameColumn) + " = :p1"};
                const std::vector<CodeEntry> list = entries();
                engine::gauge2_Show(static_cast<int>(list.size()));
                const bool filled =
                    engine::writeRowsFilteredBy(dm, table, nameColumn, lines, [&](engine::fb::Statement& update) {
                        for (const auto& entry : list) {
                            engine::gauge2_Next();
                            if (entry.name) {
                                update.execute({entry.code, *entry.name});
                            }
                        }
                    });
                if (!filled) {
                    return engine::Flow::EndPart;
                }
                engine::gauge2_Hide();
                engine::inc_KolvoStep(1);
                return engine::Flow::Next;
            }};
}

} // namespace packs
