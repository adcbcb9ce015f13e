#include "packs/Pack_8_00_02.h"

#include "engine/EngineState.h"
#include "engine/Operations.h"
#include "engine/PackToolkit.h"
#include "engine/firebird/SqlText.h"
#include "environment/FileProcedures.h"
#include "packs/CodeFill.h"
#include "packs/Pack_8_00_02_Parts.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

namespace packs {
namespace {

using engine::Flow;
using engine::OnFailure;
using engine::Operation;
using engine::Part;
using engine::Row;
using engine::Slot;
using engine::TDM1;
namespace op = engine::op;

constexpr size_t kGuidLength = 32;

// The side-pointer lookup for every line of a fill: by name in a table made
// once, or, with the speed-ups off, by scanning the list as written.
class SidePointers {
public:
    explicit SidePointers(const std::vector<TUkazatel>& pointers)
        : m_pointers(pointers), m_indexed(engine::speedUps()) {
        if (m_indexed) {
            for (const auto& pointer : pointers) {
                if (pointer.Vid == "B") {
                    m_first.emplace(pointer.nameUkazatel, pointer.KodUkazatel);
                }
            }
        }
    }
    std::int64_t code(const std::string& line) const {
        if (!m_indexed) {
            return sidePointerLookup(m_pointers, line);
        }
        const auto found = m_first.find(line);
        return found == m_first.end() ? 0 : found->second;
    }

private:
    const std::vector<TUkazatel>& m_pointers;
    bool m_indexed;
    std::unordered_map<std::string, std::int64_t> m_first;
};

std::string joined(const std::vector<std::string>& items, const std::string& separator) {
    std::string text;
    for (const auto& item : items) {
        text += (text.empty() ? "" : separator) + item;
    }
    return text;
}

// The codes that materials have from 1 to `highest`, when the speed-ups are on.
// The MGUID fill as written goes through every code of that range; a code
// without a material takes a GUID and changes nothing, and below a code near the
// largest integer the whole range would take hours.
std::optional<std::vector<std::int64_t>> codesInUse(TDM1& dm, std::int64_t highest) {
    std::vector<std::int64_t> codes;
    if (!engine::readRows(
            dm, dm.IBTrRead, {"SELECT DISTINCT KodMaterial", "FROM StockMain", "WHERE KodMaterial BETWEEN 1 AND :p0"},
            [&](const Row& row) { codes.push_back(engine::integerField(row, 0)); }, OnFailure::Commit, {highest})) {
        return std::nullopt;
    }
    return codes;
}

// Every material code from 1 to the highest gets a GUID of its own.
Operation mguidFill() {
    return {
        1, [](TDM1& dm) {
            const auto highest =
                engine::readInteger(dm, dm.IBTrRead, {"SELECT Max (KodMaterial)", "FROM StockMain"}, OnFailure::Commit);
            if (!highest) {
                return Flow::EndPart;
            }
            if (*highest < 1) {
                engine::inc_KolvoStep(1);
                return Flow::Next;
            }
            std::optional<std::vector<std::int64_t>> inUse;
            if (engine::speedUps() && !(inUse = codesInUse(dm, *highest))) {
                return Flow::EndPart;
            }
            const bool filled = engine::writeRowsFilteredBy(
                dm, "StockMain", "KodMaterial", {"UPDATE StockMain", "SET", "MGUID = :p0", "WHERE KodMaterial = :p1"},
                [&](engine::fb::Statement& update) {
                    const auto giveGuid = [&](std::int64_t k) {
                        const std::string guid = environment::read_NewGUID();
                        if (guid.size() == kGuidLength) {
                            update.execute({guid, k});
                        }
                    };
                    if (inUse) {
                        std::for_each(inUse->begin(), inUse->end(), giveGuid);
                    } else {
                        for (std::int64_t k = 1; k <= *highest; ++k) {
                            giveGuid(k);
                        }
                    }
                },
                OnFailure::Commit);
            if (!filled) {
                return Flow::EndPart;
            }
            engine::inc_KolvoStep(1);
            return Flow::Next;
        }};
}

// A reference list read whole when its table has rows; an empty table leaves
// the list as the previous database left it (2 steps: the count and the read).
template <typename Entry>
Operation referenceRead(std::vector<Entry>& list, std::string table, std::vector<std::string> lines,
                        std::function<Entry(const Row&)> entryOf) {
    return {2, [&list, table, lines, entryOf](TDM1& dm) {
                if (dm.ft_TableReadRecordCount(table, "") > 0) {
                    list.clear();
                    if (!engine::readRows(
                            dm, dm.IBTrWrite, lines, [&](const Row& row) { list.push_back(entryOf(row)); },
                            OnFailure::Commit)) {
                        return Flow::EndPart;
                    }
                }
                engine::inc_KolvoStep(1);
                return Flow::Next;
            }};
}

Operation pointerRead(Lists_8_00_02& lists) {
    return referenceRead<TUkazatel>(
        lists.pointers, "set_Ukazatel", {"SELECT", "NUMBERMAIN, VID, UKAZATEL", "FROM set_Ukazatel"},
        [](const Row& row) {
            return TUkazatel{engine::integerField(row, 0), engine::textField(row, 1), engine::textField(row, 2)};
        });
}

Operation serviceRead(Lists_8_00_02& lists) {
    return referenceRead<TServiceList>(lists.services, "rab", {"SELECT", "KODRABOTA, NAMERABOTA", "FROM rab"},
                                       [](const Row& row) {
                                           return TServiceList{engine::integerField(row, 0), engine::textField(row, 1)};
                                       });
}

std::vector<CodeEntry> pointersOfKindA(const std::vector<TUkazatel>& pointers) {
    std::vector<CodeEntry> entries;
    entries.reserve(pointers.size());
    for (const auto& pointer : pointers) {
        entries.push_back({pointer.KodUkazatel,
                           pointer.Vid == "A" ? std::optional<std::string>(pointer.nameUkazatel) : std::nullopt});
    }
    return entries;
}

Operation sidePointerFill(const Lists_8_00_02& lists) {
    return codeFill("RAB_MATERIAL", "KodUkazatelStorona", "KartaStorona",
                    [&lists] { return pointersOfKindA(lists.pointers); });
}

Part sorvinPart() {
    return {
        op::fc_ColumnAdd("STOCKMAIN", "MGUID", "t32", 2),
        mguidFill(),
    };
}

// The Base database reads the pointer and service lists first; the Config
// database reads them again when its own tables have rows.
Part baseAndConfigPart(Lists_8_00_02& lists) {
    return {
        op::ft_TableDelete("TONIROVKA"),
        op::fc_ColumnAdd("SET_MANAGER", "KeyVisible", "t1", 8),
        op::ft_TableWriteColumnValue("SET_MANAGER", "KeyVisible", "T"),
        op::fc_ColumnDelete("FUR_MATERIAL", "GEOMETRY"),
        op::fc_ColumnAdd("fur_Material", "Geometry", "i", 17),
        op::fc_ColumnAdd("Rab", "CostMin", "i", 7),
        op::fc_ColumnAdd("STOCK", "MGUID", "t32", 2),
        op::ft_TableWriteColumnValue("ACC_MATERIAL", "UGOL1", "0"),
        op::ft_TableWriteColumnValue("ACC_MATERIAL", "UGOL2", "0"),
        op::fc_ColumnAdd("SET_UKAZATEL", "uVisible", "t1", 99),
        pointerRead(lists),
        op::fc_ColumnAdd("ACC_MATERIAL", "KodUkazatel", "i", 15),
        op::fc_ColumnAdd("COL_MATERIAL", "KodUkazatel", "i", 7),
        op::fc_ColumnAdd("DE_MATERIAL", "KodUkazatel", "i", 16),
        op::fc_ColumnAdd("FUR_MATERIAL", "KodUkazatel", "i", 16),
        op::fc_ColumnAdd("FUR_MATERIAL2", "KodUkazatel", "i", 7),
        op::fc_ColumnAdd("PR_STRUCTURE", "KodUkazatel", "i", 12),
        op::fc_ColumnAdd("RAB_MATERIAL", "KodUkazatel", "i", 11),
        op::fc_ColumnAdd("RAB_MATERIAL", "KodUkazatelStorona", "i", 11),
        op::fc_ColumnAdd("T_MATERIAL", "KodUkazatel", "i", 9),
        pointerCodeFill(lists, "ACC_MATERIAL"),
        pointerCodeFill(lists, "COL_MATERIAL"),
        pointerCodeFill(lists, "DE_MATERIAL"),
        pointerCodeFill(lists, "FUR_MATERIAL"),
        pointerCodeFill(lists, "FUR_MATERIAL2"),
        pointerCodeFill(lists, "PR_STRUCTURE"),
        pointerCodeFill(lists, "T_MATERIAL"),
        pointerCodeFill(lists, "RAB_MATERIAL"),
        sidePointerFill(lists),
        op::fc_ColumnDelete("ACC_MATERIAL", "Karta"),
        op::fc_ColumnDelete("COL_MATERIAL", "Karta"),
        op::fc_ColumnDelete("DE_MATERIAL", "Karta"),
        op::fc_ColumnDelete("FUR_MATERIAL", "Karta"),
        op::fc_ColumnDelete("FUR_MATERIAL2", "Karta"),
        op::fc_ColumnDelete("PR_STRUCTURE", "Karta"),
        op::fc_ColumnDelete("T_MATERIAL", "Karta"),
        op::fc_ColumnDelete("RAB_MATERIAL", "Karta"),
        op::fc_ColumnDelete("RAB_MATERIAL", "KartaStorona"),
        op::fc_ColumnAdd("t_Pro", "KodUkazatelStorona", "t255", 5),
        sidePointerListFill(lists, "t_Pro", {"NUMBERPROEM", "NUMBERSTORONA"}),
        op::fc_ColumnDelete("t_Pro", "Karta"),
        serviceRead(lists),
        op::fc_ColumnDelete("Rab", "RABNOTE"),
        op::fc_ColumnDelete("Rab", "KODCAPITAL"),
    };
}

// The rows capture `lists`, which must outlive every run of the table.
engine::PackTable pack_8_00_02(Lists_8_00_02& lists) {
    return {.number = 2,
            .required = engine::RequiredStamp{8, 0, 1, -1},
            .databases = {
                {Slot::Sorvin, sorvinPart()},
                {Slot::Price, {}},
                {Slot::Base, baseAndConfigPart(lists)},
                {Slot::Config, baseAndConfigPart(lists)},
                {Slot::Orders, ordersPart_8_00_02(lists)},
                {Slot::OrdersServer, ordersPart_8_00_02(lists)},
                {Slot::Pellix, {}},
                {Slot::Grelto, {}},
                {Slot::System, {}},
            }};
}

} // namespace

std::int64_t sidePointerLookup(const std::vector<TUkazatel>& pointers, const std::string& line) {
    for (const auto& pointer : pointers) {
        if (pointer.Vid == "B" && pointer.nameUkazatel == line) {
            return pointer.KodUkazatel;
        }
    }
    return 0;
}

Operation pointerCodeFill(const Lists_8_00_02& lists, std::string table) {
    return codeFill(std::move(table), "KodUkazatel", "Karta", [&lists] { return pointersOfKindA(lists.pointers); });
}

Operation sidePointerListFill(const Lists_8_00_02& lists, std::string table, std::vector<std::string> keys) {
    return {2, [&lists, table, keys](TDM1& dm) {
                struct Side {
                    std::vector<engine::fb::SqlValue> key;
                    std::string KartaStorona;
                };
                // Whatever the way out, the inner gauge goes.
                struct GaugeHider {
                    ~GaugeHider() { engine::gauge2_Hide(); }
                } gaugeHider;
                const int count = dm.ft_TableReadRecordCount(table, "");
                if (count <= 0) {
                    engine::inc_KolvoStep(1);
                    return Flow::Next;
                }
                engine::gauge2_Show(2 * count);
                std::vector<std::string> where;
                for (size_t i = 0; i < keys.size(); ++i) {
                    where.push_back(engine::fb::plainIdentifier(keys[i]) + " = :p" + std::to_string(i + 1));
                }
                const SidePointers sidePointers(lists.pointers);
                std::vector<Side> sides;
                const std::string karta = engine::textColumnForReading(dm, table, "KARTA");
                const bool read = engine::readRows(
                    dm, dm.IBTrRead,
                    {"SELECT", joined(keys, ", ") + ", " + karta, "FROM " + engine::fb::plainIdentifier(table)},
                    [&](const Row& row) {
                        engine::gauge2_Next();
                        Side side;
                        for (size_t i = 0; i < keys.size(); ++i) {
                            side.key.emplace_back(engine::integerField(row, i));
                        }
                        for (const auto& line : engine::splitLines(engine::textField(row, keys.size()))) {
                            const std::int64_t code = sidePointers.code(line);
                            if (code > 0) {
                                side.KartaStorona += (side.KartaStorona.empty() ? "" : "|") + std::to_string(code);
                            }
                        }
                        sides.push_back(std::move(side));
                    },
                    OnFailure::Commit);
                if (!read) {
                    return Flow::EndPart;
                }
                const bool written = engine::writeRows(
                    dm, {"UPDATE " + table, "SET", "KODUKAZATELSTORONA = :p0", "WHERE " + joined(where, " and ")},
                    [&](engine::fb::Statement& update) {
                        for (const auto& side : sides) {
                            engine::gauge2_Next();
                            if (!side.KartaStorona.empty()) {
                                std::vector<engine::fb::SqlValue> params = {side.KartaStorona};
                                params.insert(params.end(), side.key.begin(), side.key.end());
                                update.execute(params);
                            }
                        }
                    },
                    OnFailure::Commit);
                if (!written) {
                    return Flow::EndPart;
                }
                engine::inc_KolvoStep(1);
                return Flow::Next;
            }};
}

int steps_8_00_02() {
    Lists_8_00_02 lists;
    return engine::KolvoSP(pack_8_00_02(lists));
}

engine::Reformats reformats_8_00_02() {
    Lists_8_00_02 lists;
    return engine::reformatsOf(pack_8_00_02(lists));
}

bool a_SP_8_00_02(engine::TDM1& dm) {
    Lists_8_00_02 lists;
    return engine::runPack(dm, pack_8_00_02(lists));
}

} // namespace packs
