#include "packs/Pack_8_00_03.h"

#include "engine/EngineState.h"
#include "engine/Operations.h"
#include "engine/PackToolkit.h"
#include "engine/firebird/Query.h"

#include <cmath>
#include <cstdint>
#include <unordered_set>

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

struct TStockMainGroup {
    std::int64_t KodGroup = 0;
    std::string GroupMain;
    std::string SubGroup;
    std::string Vid;
    bool NoteP = false;
    bool NoteF = false;
    std::string Group_Note;
};

struct TStockMain {
    std::int64_t KodMaterial = 0;
    std::string MGUID;
    std::int64_t KodBuch = 0;
    std::int64_t KodBuch_2 = 0;
    std::string Material;
    std::string Artikul;
    std::string UnitMat;
    std::int64_t Package = 0;
    std::int64_t MinQuantity = 0;
    std::int64_t Norm = 0;
    std::int64_t Ration = 0;
    std::string Info;
};

struct TStockMainUnit {
    std::int64_t KodMaterial = 0;
    std::string Unit2;
    std::int64_t K1 = 0;
    std::int64_t Znak1 = 0;
};

// The stock catalogue of the Sorvin database, carried to the Base and Config
// databases; the generator values stay 0 while the Sorvin database is unread.
struct Catalogue {
    std::vector<TStockMainGroup> groups;
    std::vector<TStockMain> materials;
    std::vector<TStockMainUnit> units;
    int groupGenerator = 0;
    int materialGenerator = 0;
    // The row count of the table read last, which decides whether its rows are read.
    int counted = 0;
    // Whether the Sorvin database was read whole in this run.
    bool read = false;
};

// Exactly "T" is true; anything else, an empty text or NULL included, is false.
bool flagOf(const Row& row, size_t index) {
    return engine::textField(row, index) == "T";
}

std::string flagText(bool flag) {
    return flag ? "T" : "F";
}

// A number to the nearest integer, a value halfway between two going to the even one.
std::int64_t roundedToEven(const engine::fb::SqlValue& value) {
    return static_cast<std::int64_t>(std::nearbyint(engine::fb::doubleOf(value)));
}

// The Sorvin database is read before anything is written anywhere, so any
// failure of its reads ends the pack with nothing changed: the catalogue must
// never be copied in part, nor its generators started from a value not read.
Operation countRead(Catalogue& catalogue, std::string table) {
    return {1, [&catalogue, table](TDM1& dm) {
                const int before = engine::KolvoStep;
                catalogue.counted = dm.ft_TableReadRecordCount(table, "");
                return engine::KolvoStep > before ? Flow::Next : Flow::EndPack;
            }};
}

Operation generatorRead(int& value, std::string table) {
    return {1, [&value, table](TDM1& dm) {
                value = dm.ft_TableReadValueGenerator(table);
                return value >= 0 ? Flow::Next : Flow::EndPack;
            }};
}

Operation rowsRead(const Catalogue& catalogue, std::vector<std::string> lines, std::function<void(const Row&)> take,
                   std::function<void()> clear) {
    return {0, [&catalogue, lines, take, clear](TDM1& dm) {
                clear();
                if (catalogue.counted <= 0) {
                    return Flow::Next;
                }
                return engine::readRows(dm, dm.IBTrRead, lines, take, OnFailure::RollBack) ? Flow::Next : Flow::EndPack;
            }};
}

Operation groupsRead(Catalogue& catalogue) {
    return rowsRead(
        catalogue, {"SELECT", "KodGroup, GroupMain, SubGroup, Vid, NoteP, NoteF, Group_Note", "FROM stock_Group"},
        [&catalogue](const Row& row) {
            catalogue.groups.push_back({engine::integerField(row, 0), engine::textField(row, 1),
                                        engine::textField(row, 2), engine::textField(row, 3), flagOf(row, 4),
                                        flagOf(row, 5), engine::textField(row, 6)});
        },
        [&catalogue] { catalogue.groups.clear(); });
}

Operation materialsRead(Catalogue& catalogue) {
    return rowsRead(
        catalogue,
        {"SELECT", "KodMaterial, MGUID, KodBuch, KodBuch_2, Artikul, Material,",
         "UnitMat, MinQuantity, Package, Norm, Ration, Info", "FROM StockMain"},
        [&catalogue](const Row& row) {
            TStockMain material;
            material.KodMaterial = engine::integerField(row, 0);
            material.MGUID = engine::textField(row, 1);
            material.KodBuch = engine::integerField(row, 2);
            material.KodBuch_2 = engine::integerField(row, 3);
            material.Artikul = engine::textField(row, 4);
            material.Material = engine::textField(row, 5);
            material.UnitMat = engine::textField(row, 6);
            material.MinQuantity = engine::integerField(row, 7);
            material.Package = engine::integerField(row, 8);
            material.Norm = engine::integerField(row, 9);
            material.Ration = roundedToEven(row.at(10));
            material.Info = engine::textField(row, 11);
            catalogue.materials.push_back(std::move(material));
        },
        [&catalogue] { catalogue.materials.clear(); });
}

Operation unitsRead(Catalogue& catalogue) {
    return rowsRead(
        catalogue, {"SELECT", "KodMaterial, Unit2, K1, Znak1", "FROM Stock_Unit"},
        [&catalogue](const Row& row) {
            catalogue.units.push_back({engine::integerField(row, 0), engine::textField(row, 1),
                                       engine::integerField(row, 2), engine::integerField(row, 3)});
        },
        [&catalogue] { catalogue.units.clear(); });
}

// Whether the rows the table holds all carry keys of the catalogue, so that they
// are the copy of an earlier run that failed later on (the table is new in this
// pack). A table that also holds rows of its own, or cannot be read, is not one.
bool holdsAnEarlierCopy(TDM1& dm, const std::string& table, const std::string& key,
                        const std::unordered_set<std::int64_t>& keys) {
    bool any = false;
    bool earlier = true;
    const bool read = engine::readRows(
        dm, dm.IBTrRead, {"SELECT", key, "FROM " + table},
        [&](const Row& row) {
            any = true;
            earlier = earlier && keys.contains(engine::integerField(row, 0));
        },
        OnFailure::Commit);
    return read && any && earlier;
}

// Where a copy goes and the keys of the rows it writes.
struct CopyTarget {
    std::string table;
    std::string key;
    std::function<std::unordered_set<std::int64_t>()> keys;
};

// A copy into the Base database: one prepared statement and one commit for all
// rows, added to the rows the table holds. It counts its step also where
// nothing is copied (the Config database); a failure is rolled back and ends
// the database's part uncounted. An earlier run's copy is replaced in the same
// transaction, never doubled. Without the Sorvin database read in this run
// there is nothing to copy, and what an earlier run copied stays.
Operation copyStep(const Catalogue& catalogue, bool copy, CopyTarget target, std::vector<std::string> lines,
                   std::function<void(engine::fb::Statement&)> body) {
    return {1, [&catalogue, copy, target, lines, body](TDM1& dm) {
                if (!copy || !catalogue.read) {
                    engine::inc_KolvoStep(1);
                    return Flow::Next;
                }
                const bool replace = holdsAnEarlierCopy(dm, target.table, target.key, target.keys());
                if (!engine::writeRows(dm, lines, [&](engine::fb::Statement& insert) {
                        if (replace) {
                            engine::fb::Statement(dm.IBTrWrite, {"DELETE FROM " + target.table}).execute();
                        }
                        body(insert);
                    })) {
                    return Flow::EndPart;
                }
                engine::inc_KolvoStep(1);
                return Flow::Next;
            }};
}

template <typename Record>
std::function<std::unordered_set<std::int64_t>()> keysOf(const std::vector<Record>& records,
                                                         std::int64_t Record::*key) {
    return [&records, key] {
        std::unordered_set<std::int64_t> keys;
        for (const auto& record : records) {
            keys.insert(record.*key);
        }
        return keys;
    };
}

Operation groupsCopy(const Catalogue& catalogue, bool copy) {
    return copyStep(catalogue, copy,
                    {"StockMain_Group", "KodGroup", keysOf(catalogue.groups, &TStockMainGroup::KodGroup)},
                    {"INSERT", "INTO StockMain_Group", "(KodGroup, GroupMain, SubGroup, Vid, NoteP, NoteF, Group_Note)",
                     "VALUES (:p0, :p1, :p2, :p3, :p4, :p5, :p6)"},
                    [&catalogue](engine::fb::Statement& insert) {
                        for (const auto& group : catalogue.groups) {
                            insert.execute({group.KodGroup, group.GroupMain, group.SubGroup, group.Vid,
                                            flagText(group.NoteP), flagText(group.NoteF), group.Group_Note});
                        }
                    });
}

Operation materialsCopy(const Catalogue& catalogue, bool copy) {
    return copyStep(catalogue, copy,
                    {"StockMain", "KodMaterial", keysOf(catalogue.materials, &TStockMain::KodMaterial)},
                    {"INSERT", "INTO StockMain", "(KodMaterial, MGUID, KodBuch, KodBuch_2,",
                     "Material, Artikul, UnitMat,", "Package, MinQuantity, Norm, Ration, Info)",
                     "VALUES (:p0, :p1, :p2, :p3, :p4, :p5, :p6, :p7, :p8, :p9, :p10, :p11)"},
                    [&catalogue](engine::fb::Statement& insert) {
                        engine::gauge2_Show(static_cast<int>(catalogue.materials.size()));
                        for (const auto& m : catalogue.materials) {
                            engine::gauge2_Next();
                            insert.execute({m.KodMaterial, m.MGUID, m.KodBuch, m.KodBuch_2, m.Material, m.Artikul,
                                            m.UnitMat, m.Package, m.MinQuantity, m.Norm, m.Ration, m.Info});
                        }
                        engine::gauge2_Hide();
                    });
}

Operation unitsCopy(const Catalogue& catalogue, bool copy) {
    return copyStep(catalogue, copy,
                    {"StockMain_Unit", "KodMaterial", keysOf(catalogue.units, &TStockMainUnit::KodMaterial)},
                    {"INSERT", "INTO StockMain_Unit", "(KodMaterial, Unit2, K1, Znak1)", "VALUES (:p0, :p1, :p2, :p3)"},
                    [&catalogue](engine::fb::Statement& insert) {
                        for (const auto& unit : catalogue.units) {
                            insert.execute({unit.KodMaterial, unit.Unit2, unit.K1, unit.Znak1});
                        }
                    });
}

Part sorvinPart(Catalogue& catalogue) {
    return {
        countRead(catalogue, "stock_Group"),
        groupsRead(catalogue),
        generatorRead(catalogue.groupGenerator, "stock_Group"),
        countRead(catalogue, "StockMain"),
        materialsRead(catalogue),
        generatorRead(catalogue.materialGenerator, "StockMain"),
        countRead(catalogue, "Stock_Unit"),
        unitsRead(catalogue),
        {0,
         [&catalogue](TDM1&) {
             catalogue.read = true;
             return Flow::Next;
         }},
    };
}

// The Base database receives the catalogue (copy true), the Config database
// the same tables empty; both get the generators at the Sorvin database's values.
Part baseAndConfigPart(const Catalogue& catalogue, bool copy) {
    return {
        op::ft_TableAdd("StockMain_Group", "KodGroup INT, GroupMain VARCHAR(24), SubGroup VARCHAR(1), Vid VARCHAR(2), "
                                           "NoteP VARCHAR(1), NoteF VARCHAR(1), Group_Note VARCHAR(255)"),
        groupsCopy(catalogue, copy),
        op::ft_TableGeneratorAdd("StockMain_Group", "KodGroup", [&catalogue] { return catalogue.groupGenerator; }),
        op::ft_TableAdd("StockMain",
                        "KodMaterial INT, MGUID VARCHAR(32), KodBuch INT, KodBuch_2 INT, Material "
                        "VARCHAR(255), Artikul VARCHAR(255), UnitMat VARCHAR(12), Package INT, MinQuantity "
                        "INT, Norm INT, Ration INT, Info BLOB SUB_TYPE 1"),
        materialsCopy(catalogue, copy),
        op::ft_TableGeneratorAdd("StockMain", "KodMaterial", [&catalogue] { return catalogue.materialGenerator; }),
        op::ft_TableAdd("StockMain_Unit", "KodMaterial INT, Unit2 VARCHAR(12), K1 INT, Znak1 INT"),
        unitsCopy(catalogue, copy),
        op::fc_ColumnAdd("FUR_MATERIAL", "Stvorka", "i", 16),
        op::fc_ColumnPereType("FUR_MATERIAL", "MASSMIN", "i"),
        op::fc_ColumnPereType("FUR_MATERIAL", "MASSMAX", "i"),
        op::fc_ColumnPereType("FUR_MATERIAL", "PAZ", "i"),
        op::fc_ColumnPereType("FUR_MATERIAL", "QUANTITY", "i"),
        op::fc_ColumnAdd("FUR_MATERIAL2", "Stvorka", "i", 7),
        op::fc_ColumnPereType("FUR_MATERIAL2", "PAZ", "i"),
        op::fc_ColumnPereType("FUR_MATERIAL2", "QUANTITY", "i"),
        op::ft_TableDelete("FUR_GEOMETRY"),
        op::fc_ColumnPereType("ACC_MATERIAL", "UGOL1", "i"),
        op::fc_ColumnPereType("ACC_MATERIAL", "UGOL2", "i"),
        op::fc_ColumnPereType("ACC_MATERIAL", "ACONNECT", "i"),
        op::fc_ColumnPereType("ACC_MATERIAL", "AROUND", "i"),
        op::fc_ColumnDelete("FURNITURA", "kodLimit"),
        op::fc_ColumnDelete("de", "kodLimit"),
        op::fc_ColumnPereType("de", "CONNECTW", "i"),
        op::fc_ColumnPereType("de", "CONNECTH", "i"),
        op::fc_ColumnPereType("de", "CAPITAL", "i"),
        op::fc_ColumnPereType("FURNITURA", "CAPITAL", "i"),
        op::ft_TableAdd("fur_KomplectKit", "NumberKomplect INT, NumberKit INT, Kolvo INT"),
        op::ft_TableAdd("fur_MaterialKit", "NumberMaterial INT, NumberKit INT, Kolvo INT"),
    };
}

Part ordersPart() {
    return {
        op::fc_ColumnAdd("o_Service", "pWidth", "i", 99),
        op::fc_ColumnAdd("o_Service", "pHeight", "i", 99),
        op::fc_ColumnAdd("P_OPERATION", "KolvoMin", "i", 7),
        op::fc_ColumnAdd("P_OPERATION", "KExecutor", "i", 10),
    };
}

// The rows capture `catalogue`, which must outlive every run of the table.
engine::PackTable pack_8_00_03(Catalogue& catalogue) {
    return {.number = 3,
            .required = engine::RequiredStamp{8, 0, 2, -1},
            .databases = {
                {Slot::Sorvin, sorvinPart(catalogue)},
                {Slot::Price, {}},
                {Slot::Base, baseAndConfigPart(catalogue, true)},
                {Slot::Config, baseAndConfigPart(catalogue, false)},
                {Slot::Orders, ordersPart()},
                {Slot::OrdersServer, ordersPart()},
                {Slot::Pellix, {}},
                {Slot::Grelto, {}},
                {Slot::System, {}},
            }};
}

} // namespace

int steps_8_00_03() {
    Catalogue catalogue;
    return engine::KolvoSP(pack_8_00_03(catalogue));
}

engine::Reformats reformats_8_00_03() {
    Catalogue catalogue;
    return engine::reformatsOf(pack_8_00_03(catalogue));
}

bool a_SP_8_00_03(engine::TDM1& dm) {
    Catalogue catalogue;
    return engine::runPack(dm, pack_8_00_03(catalogue));
}

} // namespace packs
