#include "packs/Pack_8_00_05.h"

#include "engine/EngineState.h"
#include "engine/Operations.h"
#include "engine/PackToolkit.h"
#include "engine/firebird/Statement.h"
#include "packs/BaseAsItStands.h"
#include "packs/KeptRows.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>

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

struct TADEParameter {
    std::int64_t KodParameter = 0;
    std::string NameParameter;
};

struct TADESubParameter {
    std::int64_t KodSubParameter = 0;
    std::int64_t KodParameter = 0;
    std::string NameSubParameter;
    std::string PValue;
};

struct TAParameter {
    std::int64_t NumberParameter = 0;
    std::int64_t KodGroup = 0;
    std::string SubParameter;
    std::string PValue;
};

struct TADE {
    std::int64_t NOM = 0;
    std::int64_t NumberProduct = 0;
    std::int64_t NumberElement = 0;
    std::int64_t KodDE = 0;
    std::int64_t KodParameter = 0;
    std::string NameSubParameter;
    std::int64_t KodSubParameter = 0;
};

struct Lists {
    std::vector<TADEParameter> parameters;
    std::vector<TADESubParameter> subParameters;
    std::vector<TAParameter> groupParameters;
    std::vector<TADE> elements;
    // Whether the Base database's part read the element parameters, and then the new keys, in this call.
    bool parametersRead = false;
    bool baseRead = false;
    // Whether an earlier run that failed later on has rebuilt both sub-parameter tables already.
    bool tablesRebuilt = false;
};

// The old rows of both sub-parameter tables are kept in copies from before the
// first drop until both write-backs have committed; a run that finds them takes
// the old rows from there and redoes both tables.
const std::string kKeptDE = "SET_SUBPARAMETERDE_KEPT";
const std::string kKeptGroup = "SET_SUBPARAMETER_KEPT";

Operation parametersRead(Lists& lists) {
    return {2, [&lists](TDM1& dm) {
                lists.parameters.clear();
                lists.parametersRead = engine::readCountedRows(
                    dm, "Set_ParameterDE", "", {"SELECT", "NUMBERMAIN, NAMEPARAMETER", "FROM Set_ParameterDE"},
                    [&lists](const Row& row) {
                        lists.parameters.push_back({engine::integerField(row, 0), engine::textField(row, 1)});
                    });
                if (lists.parametersRead) {
                    engine::inc_KolvoStep(1);
                }
                return Flow::Next;
            }};
}

// The old element sub-parameters. When they cannot be read, the Base part
// stops before it drops their table.
Operation oldSubParametersRead(Lists& lists) {
    return {2, [&lists](TDM1& dm) {
                lists.subParameters.clear();
                const std::string source = oldRowsOf(dm, "Set_SubParameterDE", kKeptDE, "NumberParameter");
                if (!engine::readCountedRows(
                        dm, source, "", {"SELECT", "NumberParameter, SubParameter, PVALUE", "FROM " + source},
                        [&lists](const Row& row) {
                            lists.subParameters.push_back({0, engine::integerField(row, 0), engine::textField(row, 1),
                                                           engine::textField(row, 2)});
                        })) {
                    return Flow::EndPart;
                }
                engine::inc_KolvoStep(1);
                return Flow::Next;
            }};
}

Operation oldRowsKeep() {
    return {0, [](TDM1& dm) {
                return keepRows(dm, "Set_SubParameterDE", kKeptDE, "NumberParameter, SubParameter, PVALUE",
                                "NumberParameter INT, SubParameter VARCHAR(255), PVALUE VARCHAR(1)") &&
                               keepRows(
                                   dm, "set_SubParameter", kKeptGroup,
                                   "NumberParameter, KodGroup, SubParameter, PValue",
                                   "NumberParameter INT, KodGroup INT, SubParameter VARCHAR(255), PValue VARCHAR(1)")
                           ? Flow::Next
                           : Flow::EndPack;
            }};
}

Operation oldRowsRelease() {
    return {0, [](TDM1& dm) {
                return releaseRows(dm, kKeptDE) && releaseRows(dm, kKeptGroup) ? Flow::Next : Flow::EndPack;
            }};
}

Part subParameterTables() {
    return {
        op::ft_TableDelete("Set_SubParameterDE"),
        op::ft_TableAdd("Set_SubParameterDE",
                        "KodSubParameterDE Int, KodParameter Int, SubParameter VARCHAR(255), PVALUE VARCHAR(1)",
                        "KodSubParameterDE", 1),
        op::ft_TableAdd("fur_MaterialParameter", "NumberMaterial Int, KodParameter Int, KodSubParameter Int"),
        op::ft_TableAdd("fur_Material2Parameter", "NumberMaterial2 Int, KodParameter Int, KodSubParameter Int"),
    };
}

Operation subParametersWrite(const Lists& lists) {
    return {0, [&lists](TDM1& dm) {
                const bool written =
                    engine::writeRows(dm,
                                      {"INSERT", "INTO Set_SubParameterDE", "(KodParameter, SubParameter, PVALUE)",
                                       "VALUES (:p0, :p1, :p2)"},
                                      [&lists](engine::fb::Statement& insert) {
                                          for (const auto& sub : lists.subParameters) {
                                              insert.execute({sub.KodParameter, sub.NameSubParameter, sub.PValue});
                                          }
                                      });
                return written ? Flow::Next : Flow::EndPack;
            }};
}

void readNewKeys(TDM1& dm, const std::string& table, std::vector<TADESubParameter>& into, bool& read) {
    into.clear();
    read = engine::readCountedRows(dm, table, "",
                                   {"SELECT", "KodSubParameterDE, KodParameter, SubParameter, PVALUE", "FROM " + table},
                                   [&into](const Row& row) {
                                       into.push_back({engine::integerField(row, 0), engine::integerField(row, 1),
                                                       engine::textField(row, 2), engine::textField(row, 3)});
                                   });
}

Operation newKeysRead(Lists& lists) {
    return {2, [&lists](TDM1& dm) {
                bool read = false;
                readNewKeys(dm, "Set_SubParameterDE", lists.subParameters, read);
                if (read) {
                    engine::inc_KolvoStep(1);
                }
                // Without the parameters every element would miss its key and then lose its text.
                lists.baseRead = read && lists.parametersRead;
                return Flow::Next;
            }};
}

Operation groupParametersRead(Lists& lists) {
    return {1, [&lists](TDM1& dm) {
                lists.groupParameters.clear();
                const std::string source = oldRowsOf(dm, "set_SubParameter", kKeptGroup, "NumberParameter");
                const bool read = engine::readCountedRows(
                    dm, source, "", {"SELECT", "NumberParameter, KodGroup, SubParameter, PValue", "FROM " + source},
                    [&lists](const Row& row) {
                        lists.groupParameters.push_back({engine::integerField(row, 0), engine::integerField(row, 1),
                                                         engine::textField(row, 2), engine::textField(row, 3)});
                    });
                return read ? Flow::Next : Flow::EndPack;
            }};
}

Operation groupParametersWrite(const Lists& lists) {
    return {0, [&lists](TDM1& dm) {
                const bool written =
                    engine::writeRows(dm,
                                      {"INSERT", "INTO set_SubParameter",
                                       "(KodParameter, KodGroup, SubParameter, PVALUE)", "VALUES (:p0, :p1, :p2, :p3)"},
                                      [&lists](engine::fb::Statement& insert) {
                                          for (const auto& p : lists.groupParameters) {
                                              insert.execute({p.NumberParameter, p.KodGroup, p.SubParameter, p.PValue});
                                          }
                                      });
                return written ? Flow::Next : Flow::EndPack;
            }};
}

Operation groupTableRemake() {
    return op::ft_TableAdd("set_SubParameter",
                           "KodSubParameter INT, KodParameter INT, KodGroup INT, SubParameter VARCHAR(255), PValue "
                           "VARCHAR(1)",
                           "KodSubParameter", 0);
}

// Both tables in their new shape without the copy of the element sub-parameters: an earlier
// run wrote both back and then failed later on. Their keys stand and are not made again.
Operation rebuiltBeforeFound(Lists& lists) {
    return {0, [&lists](TDM1& dm) {
                lists.tablesRebuilt = dm.control_Column("Set_SubParameterDE", "KodSubParameterDE") &&
                                      dm.control_Column("set_SubParameter", "KodSubParameter") &&
                                      !tableExists(dm, kKeptDE);
                return Flow::Next;
            }};
}

// A step of the rebuild, which a finished rebuild does not run again; its steps still count.
Operation unlessRebuilt(const Lists& lists, Operation operation) {
    return {operation.steps, [&lists, operation](TDM1& dm) {
                if (!lists.tablesRebuilt) {
                    return operation.run(dm);
                }
                engine::inc_KolvoStep(operation.steps);
                return Flow::Next;
            }};
}

Part basePart(Lists& lists) {
    Part part = {rebuiltBeforeFound(lists), parametersRead(lists), unlessRebuilt(lists, oldSubParametersRead(lists)),
                 unlessRebuilt(lists, oldRowsKeep())};
    Part tables = subParameterTables();
    tables.front() = unlessRebuilt(lists, std::move(tables.front()));
    for (auto& operation : tables) {
        part.push_back(std::move(operation));
    }
    for (auto& operation : Part{unlessRebuilt(lists, subParametersWrite(lists)), newKeysRead(lists),
                                unlessRebuilt(lists, groupParametersRead(lists)),
                                unlessRebuilt(lists, op::ft_TableDelete("set_SubParameter")), groupTableRemake(),
                                unlessRebuilt(lists, groupParametersWrite(lists)), oldRowsRelease()}) {
        part.push_back(std::move(operation));
    }
    return part;
}

Part configPart() {
    Part part = subParameterTables();
    part.push_back(op::ft_TableDelete("set_SubParameter"));
    part.push_back(groupTableRemake());
    return part;
}

// When the Base database did not run its part in this call, its parameters and
// keys are read as they stand, provided it is already past 8.0.4; otherwise no
// element could get its key and the texts would be dropped.
bool keysAtHand(Lists& lists) {
    if (lists.baseRead) {
        return true;
    }
    lists.baseRead = readFromBaseAsItStands(5, [&lists](TDM1& reader) {
        lists.parameters.clear();
        bool read = engine::readRows(
            reader, reader.IBTrRead, {"SELECT", "NUMBERMAIN, NAMEPARAMETER", "FROM Set_ParameterDE"},
            [&lists](const Row& row) {
                lists.parameters.push_back({engine::integerField(row, 0), engine::textField(row, 1)});
            },
            OnFailure::Commit);
        if (read) {
            readNewKeys(reader, "Set_SubParameterDE", lists.subParameters, read);
        }
        return read;
    });
    return lists.baseRead;
}

// An element takes the key of the first sub-parameter of its parameter and text,
// when its parameter is a known one; otherwise it keeps 0 and gets no update.
Operation subParameterCoding(Lists& lists) {
    return {2, [&lists](TDM1& dm) {
                // The text column goes only after the keys have committed: an earlier run coded them.
                if (dm.control_Column("DE", "KodSubParameter") && !dm.control_Column("DE", "SubParameter")) {
                    engine::inc_KolvoStep(2);
                    return Flow::Next;
                }
                if (!keysAtHand(lists)) {
                    return Flow::EndPart;
                }
                lists.elements.clear();
                const auto count = dm.ft_TableReadRecordCount("DE", "");
                // The run's largest list, taken at its size at once: it never holds two copies while it grows.
                lists.elements.reserve(static_cast<size_t>(std::max(count, 0)));
                if (!engine::readRows(
                        dm, dm.IBTrRead,
                        {"SELECT", "NOM, NumberProduct, NumberElement, KodDE, KodParameter, SubParameter", "FROM DE"},
                        [&lists](const Row& row) {
                            lists.elements.push_back({engine::integerField(row, 0), engine::integerField(row, 1),
                                                      engine::integerField(row, 2), engine::integerField(row, 3),
                                                      engine::integerField(row, 4), engine::textField(row, 5), 0});
                        },
                        OnFailure::Commit)) {
                    return Flow::EndPart;
                }
                std::set<std::int64_t> known;
                for (const auto& parameter : lists.parameters) {
                    known.insert(parameter.KodParameter);
                }
                std::map<std::pair<std::int64_t, std::string>, std::int64_t> keys;
                for (const auto& sub : lists.subParameters) {
                    keys.emplace(std::pair{sub.KodParameter, sub.NameSubParameter}, sub.KodSubParameter);
                }
                for (auto& element : lists.elements) {
                    if (known.count(element.KodParameter)) {
                        const auto key = keys.find({element.KodParameter, element.NameSubParameter});
                        if (key != keys.end()) {
                            element.KodSubParameter = key->second;
                        }
                    }
                }
                engine::gauge2_Show(static_cast<int>(lists.elements.size()));
                const bool written = engine::writeRows(
                    dm,
                    {"UPDATE DE", "SET", "KodSubParameter = :p0",
                     "WHERE (NOM = :p1) and (NumberProduct = :p2) and (NumberElement = :p3) and (KodDE = :p4)"},
                    [&lists](engine::fb::Statement& update) {
                        for (const auto& e : lists.elements) {
                            if (e.KodSubParameter > 0) {
                                update.execute({e.KodSubParameter, e.NOM, e.NumberProduct, e.NumberElement, e.KodDE});
                                engine::gauge2_Next();
                            }
                        }
                    });
                if (!written) {
                    return Flow::EndPart;
                }
                engine::gauge2_Hide();
                engine::inc_KolvoStep(1);
                return Flow::Next;
            }};
}

Part ordersPart(Lists& lists) {
    return {
        op::fc_ColumnPereNumber("DE", "KODPARAMETER", 6),
        op::fc_ColumnAdd("DE", "KodSubParameter", "i", 8),
        subParameterCoding(lists),
        op::fc_ColumnDelete("DE", "SubParameter"),
    };
}

// The rows capture `lists`, which must outlive every run of the table.
engine::PackTable pack_8_00_05(Lists& lists) {
    return {.number = 5,
            .required = engine::RequiredStamp{8, 0, 4, -1},
            .databases = {
                {Slot::Price, {}},
                {Slot::Base, basePart(lists)},
                {Slot::Config, configPart()},
                {Slot::Orders, ordersPart(lists)},
                {Slot::OrdersServer, ordersPart(lists)},
                {Slot::Pellix, {}},
                {Slot::Grelto, {}},
                {Slot::System, {}},
            }};
}

} // namespace

int steps_8_00_05() {
    Lists lists;
    return engine::KolvoSP(pack_8_00_05(lists));
}

engine::Reformats reformats_8_00_05() {
    Lists lists;
    return engine::reformatsOf(pack_8_00_05(lists));
}

bool a_SP_8_00_05(engine::TDM1& dm) {
    Lists lists;
    return engine::runPack(dm, pack_8_00_05(lists));
}

} // namespace packs
