#include "packs/Pack_8_00_03.h"

#include "engine/EngineState.h"
#include "engine/Operations.h"
#include "engine/PackFrame.h"
#include "engine/PackToolkit.h"

#include <cmath>
#include <functional>
#include <string>
#include <vector>

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

using TAStockMainGroup = std::vector<TStockMainGroup>;
using TAStockMain = std::vector<TStockMain>;
using TAStockMainUnit = std::vector<TStockMainUnit>;

// The stock catalogue of the Sorvin database on its way to the Base database.
struct Lists {
    TAStockMainGroup groups;
    TAStockMain materials;
    TAStockMainUnit units;
    int groupGenerator = 0;
    int materialGenerator = 0;
};

// Only an exact "T" is true; anything else, an empty value included, is false.
bool flagOf(const Row& row, size_t index) {
    return engine::textField(row, index) == "T";
}

std::string flagText(bool flag) {
    return flag ? "T" : "F";
}

// Halfway values go to the even integer, as the current rounding mode does by default.
std::int64_t rationOf(const Row& row, size_t index) {
    return static_cast<std::int64_t>(std::nearbyint(engine::fb::doubleOf(row.at(index))));
}

// Reads one table of the catalogue; a failed read ends the pack before anything is written. The
// list grows as the rows arrive, so rows added after the count are kept as well.
template <typename Record>
bool catalogueRead(TDM1& dm, const std::string& table, std::vector<Record>& list, std::vector<std::string> lines,
                   const std::function<Record(const Row&)>& recordOf) {
    list.clear();
    const int count = dm.ft_TableReadRecordCount(table, "");
    list.reserve(static_cast<size_t>(count));
    if (count == 0) {
        return true;
    }
    return engine::readRows(
        dm, dm.IBTrRead, lines, [&](const Row& row) { list.push_back(recordOf(row)); }, OnFailure::RollBack);
}

Operation sorvinRead(Lists& lists) {
    return {5, [&lists](TDM1& dm) {
                const bool read =
                    catalogueRead<TStockMainGroup>(
                        dm, "stock_Group", lists.groups,
                        {"SELECT", "KodGroup, GroupMain, SubGroup, Vid, NoteP, NoteF, Group_Note", "FROM stock_Group"},
                        [](const Row& row) {
                            return TStockMainGroup{engine::integerField(row, 0),
                                                   engine::textField(row, 1),
                                                   engine::textField(row, 2),
                                                   engine::textField(row, 3),
                                                   flagOf(row, 4),
                                                   flagOf(row, 5),
                                                   engine::textField(row, 6)};
                        }) &&
                    (lists.groupGenerator = dm.ft_TableReadValueGenerator("stock_Group"), true) &&
                    catalogueRead<TStockMain>(dm, "StockMain", lists.materials,
                                              {"SELECT", "KodMaterial, MGUID, KodBuch, KodBuch_2, Artikul, Material,",
                                               "UnitMat, MinQuantity, Package, Norm, Ration, Info", "FROM StockMain"},
                                              [](const Row& row) {
                                                  TStockMain m;
                                                  m.KodMaterial = engine::integerField(row, 0);
                                                  m.MGUID = engine::textField(row, 1);
                                                  m.KodBuch = engine::integerField(row, 2);
                                                  m.KodBuch_2 = engine::integerField(row, 3);
                                                  m.Artikul = engine::textField(row, 4);
                                                  m.Material = engine::textField(row, 5);
                                                  m.UnitMat = engine::textField(row, 6);
                                                  m.MinQuantity = engine::integerField(row, 7);
                                                  m.Package = engine::integerField(row, 8);
                                                  m.Norm = engine::integerField(row, 9);
                                                  m.Ration = rationOf(row, 10);
                                                  m.Info = engine::textField(row, 11);
                                                  return m;
                                              }) &&
                    (lists.materialGenerator = dm.ft_TableReadValueGenerator("StockMain"), true) &&
                    catalogueRead<TStockMainUnit>(
                        dm, "Stock_Unit", lists.units, {"SELECT", "KodMaterial, Unit2, K1, Znak1", "FROM Stock_Unit"},
                        [](const Row& row) {
                            return TStockMainUnit{engine::integerField(row, 0), engine::textField(row, 1),
                                                  engine::integerField(row, 2), engine::integerField(row, 3)};
                        });
                return read ? Flow::Next : Flow::EndPack;
            }};
}

// One insert loop of the copy: one statement, one transaction; the step is counted in the Config database too.
Operation copyStep(bool copy, std::vector<std::string> lines, std::function<void(engine::fb::Statement&)> fill,
                   std::function<int()> gaugeSize) {
    return {1, [copy, lines, fill, gaugeSize](TDM1& dm) {
                if (copy) {
                    const bool gauged = static_cast<bool>(gaugeSize);
                    if (gauged) {
                        engine::gauge2_Show(gaugeSize());
                    }
                    if (!engine::writeRows(dm, lines, fill)) {
                        return Flow::EndPart;
                    }
                    if (gauged) {
                        engine::gauge2_Hide();
                    }
                }
                engine::inc_KolvoStep(1);
                return Flow::Next;
            }};
}

Part baseAndConfigPart(const Lists& lists, bool copy) {
    return {
        op::ft_TableAdd("StockMain_Group", "KodGroup INT, GroupMain VARCHAR(24), SubGroup VARCHAR(1), Vid VARCHAR(2), "
                                           "NoteP VARCHAR(1), NoteF VARCHAR(1), Group_Note VARCHAR(255)"),
        copyStep(copy,
                 {"INSERT", "INTO StockMain_Group", "(KodGroup, GroupMain, SubGroup, Vid, NoteP, NoteF, Group_Note)",
                  "VALUES (:p0, :p1, :p2, :p3, :p4, :p5, :p6)"},
                 [&lists](engine::fb::Statement& insert) {
                     for (const auto& g : lists.groups) {
                         insert.execute({g.KodGroup, g.GroupMain, g.SubGroup, g.Vid, flagText(g.NoteP),
                                         flagText(g.NoteF), g.Group_Note});
                     }
                     return true;
                 },
                 {}),
        op::ft_TableGeneratorAdd("StockMain_Group", "KodGroup", [&lists] { return lists.groupGenerator; }),
        op::ft_TableAdd("StockMain", "KodMaterial INT, MGUID VARCHAR(32), KodBuch INT, KodBuch_2 INT, "
                                     "Material VARCHAR(255), Artikul VARCHAR(255), UnitMat VARCHAR(12), Package INT, "
                                     "MinQuantity INT, Norm INT, Ration INT, Info BLOB SUB_TYPE 1"),
        copyStep(
            copy,
            {"INSERT", "INTO StockMain", "(KodMaterial, MGUID, KodBuch, KodBuch_2,", "Material, Artikul, UnitMat,",
             "Package, MinQuantity, Norm, Ration, Info)",
             "VALUES (:p0, :p1, :p2, :p3, :p4, :p5, :p6, :p7, :p8, :p9, :p10, :p11)"},
            [&lists](engine::fb::Statement& insert) {
                for (const auto& m : lists.materials) {
                    engine::gauge2_Next();
                    insert.execute({m.KodMaterial, m.MGUID, m.KodBuch, m.KodBuch_2, m.Material, m.Artikul, m.UnitMat,
                                    m.Package, m.MinQuantity, m.Norm, m.Ration, m.Info});
                }
            },
            [&lists] { return static_cast<int>(lists.materials.size()); }),
        op::ft_TableGeneratorAdd("StockMain", "KodMaterial", [&lists] { return lists.materialGenerator; }),
        op::ft_TableAdd("StockMain_Unit", "KodMaterial INT, Unit2 VARCHAR(12), K1 INT, Znak1 INT"),
        copyStep(copy,
                 {"INSERT", "INTO StockMain_Unit", "(KodMaterial, Unit2, K1, Znak1)", "VALUES (:p0, :p1, :p2, :p3)"},
                 [&lists](engine::fb::Statement& insert) {
                     for (const auto& u : lists.units) {
                         insert.execute({u.KodMaterial, u.Unit2, u.K1, u.Znak1});
                     }
                     return true;
                 },
                 {}),
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

// The rows capture `lists`, which must outlive every run of the table.
engine::PackTable pack_8_00_03(Lists& lists) {
    return {.number = 3,
            .required = engine::RequiredStamp{8, 0, 2, -1},
            .databases = {
                {Slot::Sorvin, {sorvinRead(lists)}},
                {Slot::Price, {}},
                {Slot::Base, baseAndConfigPart(lists, true)},
                {Slot::Config, baseAndConfigPart(lists, false)},
                {Slot::Orders, ordersPart()},
                {Slot::OrdersServer, ordersPart()},
                {Slot::Pellix, {}},
                {Slot::Grelto, {}},
                {Slot::System, {}},
            }};
}

} // namespace

int steps_8_00_03() {
    Lists lists;
    return engine::KolvoSP(pack_8_00_03(lists));
}

bool a_SP_8_00_03(engine::TDM1& dm) {
    Lists lists;
    return engine::runPack(dm, pack_8_00_03(lists));
}

} // namespace packs
