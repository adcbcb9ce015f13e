#include "packs/Pack_8_00_04.h"

#include "engine/EngineState.h"
#include "engine/Operations.h"
#include "engine/PackToolkit.h"
#include "engine/firebird/Statement.h"
#include "packs/BaseAsItStands.h"
#include "packs/KeptRows.h"
#include "packs/TableSplitColumn.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <map>
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

struct TStockGroup {
    std::int64_t KodGroup = 0;
    std::string NameGroup;
};

struct TFurGroup {
    std::int64_t KodGroup = 0;
    std::string NameGroup;
    std::string Sostav;
};

struct TMatProfil {
    std::int64_t NumberMaterial = 0;
    std::string Profil;
};

struct TDEStructure {
    std::int64_t KodDE = 0;
    std::string Structure;
    std::string NameDE;
};

struct TODEStructure {
    std::int64_t NOM = 0;
    std::int64_t NumberProduct = 0;
    std::int64_t NumberElement = 0;
    std::string Structure;
    std::string NameDE;
    std::int64_t KodDE = 0;
};

// What the pack carries from the Base database to the Orders databases, for one call.
struct Lists {
    std::vector<TStockGroup> stockGroups;
    std::vector<TFurGroup> furGroups;
    std::vector<TMatProfil> matProfil;
    std::vector<TDEStructure> dictionary;
    std::vector<TODEStructure> elements;
    // Whether the Base database's part ran in this call and read the dictionary.
    bool baseProcessed = false;
    // Whether an earlier run that failed later on has rebuilt the fittings groups already.
    bool groupsRebuilt = false;
};

// The old fittings groups are copied here before their table is dropped and
// kept until the new groups and their structure rows have committed: a failure
// in between loses nothing, and the next run reads the groups from the copy.
const std::string kKeptGroups = "FUR_GROUP_KEPT";

// A record count followed by its read when the count is above 0. The read
// failing ends the pack: the Base database's part must not go on half done.
Operation countedRead(std::string table, std::string condition, std::vector<std::string> lines,
                      std::function<void()> clear, std::function<void(const Row&)> take) {
    return {1, [=](TDM1& dm) {
                clear();
                return engine::readCountedRows(dm, table, condition, lines, take) ? Flow::Next : Flow::EndPack;
            }};
}

// A write over a list: the inner gauge shows the records walked; a failure ends the pack.
template <typename Record>
Operation listWrite(const std::vector<Record>& list, std::vector<std::string> lines,
                    std::function<void(engine::fb::Statement&, const Record&)> each) {
    return {0, [&list, lines, each](TDM1& dm) {
                engine::gauge2_Show(static_cast<int>(list.size()));
                const bool written = engine::writeRows(dm, lines, [&](engine::fb::Statement& statement) {
                    for (const auto& record : list) {
                        engine::gauge2_Next();
                        each(statement, record);
                    }
                });
                if (!written) {
                    return Flow::EndPack;
                }
                engine::gauge2_Hide();
                return Flow::Next;
            }};
}

Operation stockGroupsRead(Lists& lists) {
    return countedRead(
        "StockMain_Group", "SubGroup = 'A'",
        {"SELECT", "KodGroup, GroupMain", "FROM Stockmain_Group", "WHERE SubGroup = 'A'", "ORDER BY 1"},
        [&lists] {
            lists.baseProcessed = true;
            lists.stockGroups.clear();
        },
        [&lists](const Row& row) {
            lists.stockGroups.push_back({engine::integerField(row, 0), engine::textField(row, 1)});
        });
}

// The groups as a finished rebuild left them: their names in code order, which
// is the order they were written in, so that learning the codes again gives
// each name the code the rebuild gave it.
bool rebuiltGroupsRead(Lists& lists, TDM1& dm) {
    return engine::readCountedRows(dm, "fur_Group", "",
                                   {"SELECT", "nameGroupF", "FROM fur_Group", "ORDER BY KodGroupF"},
                                   [&lists](const Row& row) {
                                       lists.furGroups.push_back({0, engine::textField(row, 0), {}});
                                   });
}

// Reads the old groups from the kept copy when an earlier run left one: the
// table of that name may already be the new one. A new table without a copy is
// a rebuild that an earlier run finished before it failed later on; it is not
// done again.
Operation furGroupsRead(Lists& lists) {
    return {1, [&lists](TDM1& dm) {
                lists.furGroups.clear();
                lists.groupsRebuilt = dm.control_Column("fur_Group", "KodGroupF") && !tableExists(dm, kKeptGroups);
                if (lists.groupsRebuilt) {
                    return rebuiltGroupsRead(lists, dm) ? Flow::Next : Flow::EndPack;
                }
                const std::string source = oldRowsOf(dm, "fur_Group", kKeptGroups, "FURGROUP");
                if (dm.ft_TableReadRecordCount(source, "") <= 0) {
                    return Flow::Next;
                }
                const bool read = engine::readRows(
                    dm, dm.IBTrRead,
                    {"SELECT", "FURGROUP, " + engine::textColumnForReading(dm, source, "SOSTAV"), "FROM " + source,
                     "ORDER BY 1"},
                    [&lists](const Row& row) {
                        lists.furGroups.push_back({0, engine::textField(row, 0), engine::textField(row, 1)});
                    },
                    OnFailure::Commit);
                return read ? Flow::Next : Flow::EndPack;
            }};
}

// Copies the old groups before their table goes, unless a copy is there already;
// then the structure rows an earlier run may have written from it are dropped,
// since this run writes them again.
Operation oldGroupsKeep() {
    return {0, [](TDM1& dm) {
                const bool resumed = tableExists(dm, kKeptGroups);
                if (!keepRows(dm, "fur_Group", kKeptGroups, "FURGROUP, SOSTAV",
                              "FURGROUP VARCHAR(60), SOSTAV BLOB SUB_TYPE 1")) {
                    return Flow::EndPack;
                }
                if (resumed && tableExists(dm, "FUR_GROUPSTRUCTURE") &&
                    !engine::writeRows(dm, {"DELETE FROM fur_GroupStructure"},
                                       [](engine::fb::Statement& statement) { statement.execute(); })) {
                    return Flow::EndPack;
                }
                return Flow::Next;
            }};
}

// A step of the groups' rebuild, which a finished rebuild does not run again; its steps still count.
Operation unlessRebuilt(const Lists& lists, Operation operation) {
    return {operation.steps,
            [&lists, operation](TDM1& dm) {
                if (!lists.groupsRebuilt) {
                    return operation.run(dm);
                }
                if (operation.steps > 0) {
                    engine::inc_KolvoStep(operation.steps);
                }
                return Flow::Next;
            },
            operation.reformats};
}

Operation oldGroupsRelease() {
    return {0, [](TDM1& dm) { return releaseRows(dm, kKeptGroups) ? Flow::Next : Flow::EndPack; }};
}

Operation groupNamesWrite(const Lists& lists) {
    return listWrite<TFurGroup>(
        lists.furGroups, {"INSERT", "INTO fur_Group", "(nameGroupF)", "VALUES (:p0)"},
        [](engine::fb::Statement& insert, const TFurGroup& group) { insert.execute({group.NameGroup}); });
}

// The new code of a name goes to the first old group of that name; a later row
// of the same name overwrites it there.
Operation groupCodesRead(Lists& lists) {
    return {0, [&lists](TDM1& dm) {
                std::unordered_map<std::string, size_t> firstOfName;
                for (size_t i = lists.furGroups.size(); i-- > 0;) {
                    firstOfName[lists.furGroups[i].NameGroup] = i;
                }
                const bool read = engine::readRows(
                    dm, dm.IBTrRead, {"SELECT", "kodGroupF, nameGroupF", "FROM fur_Group", "ORDER BY 1"},
                    [&](const Row& row) {
                        const auto first = firstOfName.find(engine::textField(row, 1));
                        if (first != firstOfName.end()) {
                            lists.furGroups[first->second].KodGroup = engine::integerField(row, 0);
                        }
                    },
                    OnFailure::Commit);
                return read ? Flow::Next : Flow::EndPack;
            }};
}

// The code of the first entry of a name, 0 when none; built once, looked up per line.
template <typename Record> std::unordered_map<std::string, std::int64_t> firstCodes(const std::vector<Record>& list) {
    std::unordered_map<std::string, std::int64_t> codes;
    for (const auto& record : list) {
        codes.emplace(record.NameGroup, record.KodGroup);
    }
    return codes;
}

std::int64_t codeOf(const std::unordered_map<std::string, std::int64_t>& codes, const std::string& name) {
    const auto found = codes.find(name);
    return found == codes.end() ? 0 : found->second;
}

Operation groupStructureWrite(const Lists& lists) {
    return {0, [&lists](TDM1& dm) {
                const auto stockCodes = firstCodes(lists.stockGroups);
                auto write = listWrite<TFurGroup>(
                    lists.furGroups,
                    {"INSERT", "INTO fur_GroupStructure", "(KodGroupF, KodGroupS)", "VALUES (:p0, :p1)"},
                    [&stockCodes](engine::fb::Statement& insert, const TFurGroup& group) {
                        if (group.KodGroup < 1) {
                            return;
                        }
                        for (const auto& line : engine::splitLines(group.Sostav)) {
                            const std::int64_t code = codeOf(stockCodes, line);
                            if (code > 0) {
                                insert.execute({group.KodGroup, code});
                            }
                        }
                    });
                return write.run(dm);
            }};
}

// One profile or colour list moved into its link table: count and read (one
// step), the table (one step), the rows, the list column dropped (one step).
struct LinkTable {
    std::string source;
    std::string key;
    std::string listColumn;
    std::string link;
    std::string columns;
    std::string linkKey;
    std::string linkValue;
    bool profile = false;
};

// A list whose column is gone from a table that is there was moved by an
// earlier run that failed later on: its link rows stay as they are.
bool movedBefore(TDM1& dm, const LinkTable& t) {
    return dm.control_Tablel(t.source) && !dm.control_Column(t.source, t.listColumn);
}

void addLinkTable(Part& part, Lists& lists, const LinkTable& t) {
    part.push_back({1, [&lists, t](TDM1& dm) {
                        lists.matProfil.clear();
                        if (movedBefore(dm, t)) {
                            engine::inc_KolvoStep(1);
                            return Flow::Next;
                        }
                        const bool read = engine::readCountedRows(
                            dm, t.source, "",
                            {"SELECT", t.key + ", " + engine::textColumnForReading(dm, t.source, t.listColumn),
                             "FROM " + t.source, "ORDER BY 1"},
                            [&lists](const Row& row) {
                                lists.matProfil.push_back({engine::integerField(row, 0), engine::textField(row, 1)});
                            });
                        return read ? Flow::Next : Flow::EndPack;
                    }});
    part.push_back(op::ft_TableAdd(t.link, t.columns));
    part.push_back(
        {0, [&lists, t](TDM1& dm) {
             if (movedBefore(dm, t)) {
                 return Flow::Next;
             }
             // Rows of a move cut short before its list column was dropped are written anew.
             if (!engine::writeRows(dm, {"DELETE FROM " + t.link},
                                    [](engine::fb::Statement& clear) { clear.execute(); })) {
                 return Flow::EndPack;
             }
             const auto groupCodes = firstCodes(lists.furGroups);
             auto write = listWrite<TMatProfil>(
                 lists.matProfil,
                 {"INSERT", "INTO " + t.link, "(" + t.linkKey + ", " + t.linkValue + ")", "VALUES (:p0, :p1)"},
                 [&](engine::fb::Statement& insert, const TMatProfil& record) {
                     for (const auto& line : engine::splitLines(record.Profil)) {
                         if (!t.profile) {
                             insert.execute({record.NumberMaterial, line});
                         } else if (const std::int64_t code = codeOf(groupCodes, line); code > 0) {
                             insert.execute({record.NumberMaterial, code});
                         }
                     }
                 });
             return write.run(dm);
         }});
    part.push_back(op::fc_ColumnDelete(t.source, t.listColumn));
}

Operation dictionaryRead(Lists& lists) {
    return countedRead(
        "DE", "", {"SELECT", "KodElement, Structure, NameElement", "FROM de", "ORDER BY 1"},
        [&lists] { lists.dictionary.clear(); },
        [&lists](const Row& row) {
            lists.dictionary.push_back(
                {engine::integerField(row, 0), engine::textField(row, 1), engine::textField(row, 2)});
        });
}

Operation dictionaryMaxRead() {
    return {0, [](TDM1& dm) {
                return engine::readInteger(dm, dm.IBTrRead, {"SELECT Max (KodElement)", "FROM de"}, OnFailure::Commit)
                           ? Flow::Next
                           : Flow::EndPack;
            }};
}

Part sharedFittingsChanges() {
    return {
        ft_TableSplitColumn("Furnitura", "fur_KomplectKindOpen", "NumberKomplect", "KindOpen"),
        ft_TableSplitColumn("Furnitura", "fur_KomplectHandle", "NumberKomplect", "FHandle"),
        ft_TableSplitColumn("Furnitura", "fur_KomplectLock", "NumberKomplect", "FLock"),
        ft_TableSplitColumn("Furnitura", "fur_KomplectHinge", "NumberKomplect", "FHinge"),
        ft_TableSplitColumn("FUR_MATERIAL", "fur_MaterialKindOpen", "NumberMaterial", "KindOpen"),
        op::fc_ColumnPereName("Furnitura", "NumberHandle", "NumberHandleIn"),
        op::fc_ColumnPereName("t_Furnitura", "NumberHandle", "NumberHandleIn"),
        op::fc_ColumnPereName("STANOK_OPERATION", "NumberHandle", "NumberHandleIn"),
        op::fc_ColumnAdd("t_Furnitura", "NumberHandleOut", "i", 6),
        op::fc_ColumnAdd("Furnitura", "NumberHandleOut", "i", 7),
        op::ft_TableWriteColumnValue("t_Furnitura", "NumberHandleOut", "-1"),
        op::ft_TableWriteColumnValue("Furnitura", "NumberHandleOut", "-1"),
        op::fc_ColumnPereType("Furnitura", "NUMBERELEMENT", "i"),
        op::fc_ColumnPereType("Furnitura", "KINDOPEN", "i"),
        op::fc_ColumnPereType("Furnitura", "NUMBERHANDLEIN", "i"),
        op::fc_ColumnPereType("Furnitura", "NUMBERHINGE", "i"),
        op::fc_ColumnPereType("Furnitura", "NUMBERLOCK", "i"),
        op::fc_ColumnAdd("t_Furnitura", "bChange", "t1", 99),
    };
}

Part basePart(Lists& lists) {
    Part part = sharedFittingsChanges();
    for (auto& operation : Part{
             stockGroupsRead(lists),
             furGroupsRead(lists),
             unlessRebuilt(lists, oldGroupsKeep()),
             unlessRebuilt(lists, op::ft_TableDelete("fur_Group")),
             op::ft_TableAdd("fur_Group", "KodGroupF INT, nameGroupF VARCHAR(255)", "KodGroupF", 0),
             op::ft_TableAdd("fur_GroupStructure", "KodGroupF INT, KodGroupS INT"),
             unlessRebuilt(lists, groupNamesWrite(lists)),
             groupCodesRead(lists),
             unlessRebuilt(lists, groupStructureWrite(lists)),
             oldGroupsRelease(),
         }) {
        part.push_back(std::move(operation));
    }
    const LinkTable links[] = {
        {"fur_Material", "NumberMaterial", "Profil", "fur_MaterialProfil", "NumberMaterial INT, KodGroupF INT",
         "NumberMaterial", "KodGroupF", true},
        {"fur_Material2", "NumberMain", "Profil", "fur_Material2Profil", "NumberMaterial2 INT, KodGroupF INT",
         "NumberMaterial2", "KodGroupF", true},
        {"Furnitura", "NumberKomplect", "Profil", "fur_KomplectProfil", "NumberKomplect INT, KodGroupF INT",
         "NumberKomplect", "KodGroupF", true},
        {"Furnitura", "NumberKomplect", "FColor", "fur_KomplectColor", "NumberKomplect INT, FColor VARCHAR(255)",
         "NumberKomplect", "FColor", false},
        {"fur_Material", "NumberMaterial", "Zvet", "fur_MaterialColor", "NumberMaterial INT, FColor VARCHAR(255)",
         "NumberMaterial", "FColor", false},
        {"fur_Material2", "NumberMain", "Zvet", "fur_Material2Color", "NumberMaterial2 INT, FColor VARCHAR(255)",
         "NumberMaterial2", "FColor", false},
    };
    for (const auto& link : links) {
        addLinkTable(part, lists, link);
    }
    part.push_back(dictionaryRead(lists));
    part.push_back(dictionaryMaxRead());
    return part;
}

Part configPart() {
    Part part = sharedFittingsChanges();
    for (auto& operation : Part{
             op::ft_TableDelete("fur_Group"),
             op::ft_TableAdd("fur_Group", "KodGroupF INT, nameGroupF VARCHAR(255)", "KodGroupF", 1),
             op::ft_TableAdd("fur_GroupStructure", "KodGroupF INT, KodGroupS INT"),
             op::ft_TableAdd("fur_KomplectProfil", "NumberKomplect INT, KodGroupF INT"),
             op::ft_TableAdd("fur_KomplectColor", "NumberKomplect INT, FColor VARCHAR(255)"),
             op::ft_TableAdd("fur_MaterialProfil", "NumberMaterial INT, KodGroupF INT"),
             op::ft_TableAdd("fur_MaterialColor", "NumberMaterial INT, FColor VARCHAR(255)"),
             op::ft_TableAdd("fur_Material2Profil", "NumberMaterial2 INT, KodGroupF INT"),
             op::ft_TableAdd("fur_Material2Color", "NumberMaterial2 INT, FColor VARCHAR(255)"),
             op::fc_ColumnDelete("fur_Material", "Profil"),
             op::fc_ColumnDelete("fur_Material2", "Profil"),
             op::fc_ColumnDelete("Furnitura", "Profil"),
             op::fc_ColumnDelete("Furnitura", "FColor"),
             op::fc_ColumnDelete("fur_Material", "Zvet"),
             op::fc_ColumnDelete("fur_Material2", "Zvet"),
         }) {
        part.push_back(std::move(operation));
    }
    return part;
}

// When the Base database did not run its part in this call, the dictionary is
// read from it as it stands, provided it is already past 8.0.3; otherwise the
// elements would all be coded 0 and their texts dropped.
bool dictionaryAtHand(Lists& lists) {
    if (lists.baseProcessed) {
        return true;
    }
    lists.baseProcessed = readFromBaseAsItStands(4, [&lists](TDM1& reader) {
        lists.dictionary.clear();
        return engine::readRows(
            reader, reader.IBTrRead, {"SELECT", "KodElement, Structure, NameElement", "FROM de", "ORDER BY 1"},
            [&lists](const Row& row) {
                lists.dictionary.push_back(
                    {engine::integerField(row, 0), engine::textField(row, 1), engine::textField(row, 2)});
            },
            OnFailure::Commit);
    });
    return lists.baseProcessed;
}

// Seconds since the last lap, for the times of the element coding's passes.
class Stopwatch {
public:
    double lap() {
        const auto now = std::chrono::steady_clock::now();
        const double seconds = std::chrono::duration<double>(now - m_lap).count();
        m_lap = now;
        return seconds;
    }

private:
    std::chrono::steady_clock::time_point m_lap = std::chrono::steady_clock::now();
};

// The codes of the dictionary's first entry of each (structure, name) and of each name.
struct DictionaryIndex {
    std::map<std::pair<std::string, std::string>, std::int64_t> byStructureAndName;
    std::unordered_map<std::string, std::int64_t> byName;

    explicit DictionaryIndex(const std::vector<TDEStructure>& dictionary) {
        for (const auto& entry : dictionary) {
            byStructureAndName.emplace(std::pair{entry.Structure, entry.NameDE}, entry.KodDE);
            byName.emplace(entry.NameDE, entry.KodDE);
        }
    }
};

// Whether an earlier run that failed later on committed the codes: a text
// column is gone, and no element is left without its code.
bool codedBefore(TDM1& dm) {
    if (!dm.control_Tablel("DE") || (dm.control_Column("DE", "Structure") && dm.control_Column("DE", "Element"))) {
        return false;
    }
    const auto uncoded =
        engine::readInteger(dm, dm.IBTrRead, {"SELECT FIRST 1 1", "FROM DE", "WHERE KodDE IS NULL"}, OnFailure::Commit);
    return uncoded && *uncoded == 0;
}

// Each order element gets the code of the first dictionary entry of its
// structure and name, else of its name alone, else 0. A failed read or write
// ends the database's part with the texts kept. Codes an earlier run committed stay.
Operation elementCoding(Lists& lists, std::string database) {
    return {1, [&lists, database](TDM1& dm) {
                if (codedBefore(dm)) {
                    engine::inc_KolvoStep(1);
                    return Flow::Next;
                }
                if (!dictionaryAtHand(lists)) {
                    return Flow::EndPart;
                }
                lists.elements.clear();
                const auto count = dm.ft_TableReadRecordCount("DE", "");
                // The run's largest list, taken at its size at once: it never holds two copies while it grows.
                lists.elements.reserve(static_cast<size_t>(std::max(count, 0)));
                if (count > 0 &&
                    !engine::readRows(
                        dm, dm.IBTrRead,
                        {"SELECT", "NOM, NumberProduct, NumberElement, Structure, Element", "FROM de", "ORDER BY 1"},
                        [&lists](const Row& row) {
                            lists.elements.push_back({engine::integerField(row, 0), engine::integerField(row, 1),
                                                      engine::integerField(row, 2), engine::textField(row, 3),
                                                      engine::textField(row, 4), 0});
                        },
                        OnFailure::Commit)) {
                    return Flow::EndPart;
                }
                Stopwatch watch;
                const DictionaryIndex index(lists.dictionary);
                for (auto& element : lists.elements) {
                    const auto both = index.byStructureAndName.find({element.Structure, element.NameDE});
                    if (both != index.byStructureAndName.end()) {
                        element.KodDE = both->second;
                    }
                }
                for (auto& element : lists.elements) {
                    if (element.KodDE == 0) {
                        const auto name = index.byName.find(element.NameDE);
                        if (name != index.byName.end()) {
                            element.KodDE = name->second;
                        }
                    }
                }
                engine::stepTime(4, database + "-match", watch.lap());
                engine::gauge2_Show(static_cast<int>(lists.elements.size()));
                const bool written = engine::writeRows(
                    dm,
                    {"UPDATE de", "SET", "KodDE = :p0",
                     "WHERE (NOM = :p1) and (NumberProduct = :p2) and (NumberElement = :p3)"},
                    [&lists](engine::fb::Statement& update) {
                        for (const auto& element : lists.elements) {
                            engine::gauge2_Next();
                            update.execute({element.KodDE, element.NOM, element.NumberProduct, element.NumberElement});
                        }
                    });
                if (!written) {
                    return Flow::EndPart;
                }
                engine::stepTime(4, database + "-update", watch.lap());
                engine::gauge2_Hide();
                return Flow::Next;
            }};
}

void addPereTypes(Part& part, const std::string& table, std::initializer_list<const char*> columns,
                  const std::string& type = "i") {
    for (const char* column : columns) {
        part.push_back(op::fc_ColumnPereType(table, column, type));
    }
}

Part ordersPart(Lists& lists, const std::string& database) {
    Part part = {
        op::fc_ColumnPereName("k_Furnitura", "NumberHandle", "NumberHandleIn"),
        op::fc_ColumnAdd("k_Furnitura", "NumberHandleOut", "i", 7),
        op::ft_TableWriteColumnValue("k_Furnitura", "NumberHandleOut", "-1"),
    };
    addPereTypes(part, "k_Furnitura",
                 {"NUMBERPRODUCT", "NUMBERELEMENT", "NUMBERKOMPLECT", "KINDOPEN", "NUMBERHANDLEIN", "NUMBERHINGE",
                  "NUMBERLOCK"});
    addPereTypes(part, "k_Furnitura", {"FCOLOR"}, "t255");
    addPereTypes(part, "k_MaterialF", {"NUMBERPRODUCT", "NUMBERELEMENT", "NUMBERLIST"});
    part.push_back(op::fc_ColumnAdd("DE", "KodDE", "i", 5));
    addPereTypes(part, "DE",
                 {"NUMBERPRODUCT", "NUMBERELEMENT", "NUMBERELEMENT0", "COLORIN", "COLOROUT", "KOLVO", "KOLVOPRODUCT",
                  "CAPITAL"});
    part.push_back(elementCoding(lists, database));
    part.push_back(op::fc_ColumnDelete("DE", "Structure"));
    part.push_back(op::fc_ColumnDelete("DE", "Element"));
    part.push_back(op::fc_ColumnDelete("k_Furnitura", "Element"));
    part.push_back(op::fc_ColumnAdd("k_Furnitura", "bChange", "t1", 99));
    part.push_back(op::fc_ColumnAdd("k_Element", "NumberTemp", "i", 4));
    addPereTypes(
        part, "k_Element",
        {"NUMBERPRODUCT", "NUMBERELEMENT", "ELEMENT", "PROEM", "CORRECTIONW", "CORRECTIONH", "CAPITAL", "MADE"});
    part.push_back(op::fc_ColumnAdd("k_Filling", "NumberTemp", "i", 4));
    addPereTypes(part, "k_Filling",
                 {"NUMBERPRODUCT", "NUMBERELEMENT", "ELEMENT", "PROEM", "KOLVOST", "CAPITAL", "MADE"});
    part.push_back(op::fc_ColumnAdd("k_Razdel", "NumberTemp", "i", 4));
    addPereTypes(part, "k_Razdel",
                 {"NUMBERPRODUCT", "NUMBERELEMENT", "NEWPROEM", "STORONA1", "NUMBERELEMENT10", "NUMBERSTORONA10",
                  "STORONA2", "NUMBERELEMENT20", "NUMBERSTORONA20"});
    return part;
}

// The rows capture `lists`, which must outlive every run of the table.
engine::PackTable pack_8_00_04(Lists& lists) {
    return {.number = 4,
            .required = engine::RequiredStamp{8, 0, 3, -1},
            .databases = {
                {Slot::Price, {}},
                {Slot::Base, basePart(lists)},
                {Slot::Config, configPart()},
                {Slot::Orders, ordersPart(lists, "Orders")},
                {Slot::OrdersServer, ordersPart(lists, "OrdersServer")},
                {Slot::Pellix, {}},
                {Slot::Grelto, {}},
                {Slot::System, {}},
            }};
}

} // namespace

int steps_8_00_04() {
    Lists lists;
    return engine::KolvoSP(pack_8_00_04(lists));
}

engine::Reformats reformats_8_00_04() {
    Lists lists;
    return engine::reformatsOf(pack_8_00_04(lists));
}

bool a_SP_8_00_04(engine::TDM1& dm) {
    Lists lists;
    return engine::runPack(dm, pack_8_00_04(lists));
}

} // namespace packs
