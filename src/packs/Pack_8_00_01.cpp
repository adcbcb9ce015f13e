#include "packs/Pack_8_00_01.h"

#include "engine/EngineState.h"
#include "engine/Operations.h"
#include "engine/PackToolkit.h"
#include "packs/CodeFill.h"
#include "platform/UserInterface.h"

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

// What the pack carries from one database to the next, for one call.
struct Lists {
    // Stock group names of the Sorvin database in the order its rows came; a name's code is its position.
    std::vector<std::string> groups;
    // Order attribute names of the Base database, coded the same way.
    std::vector<std::string> attributes;
};

std::vector<CodeEntry> positionsOf(const std::vector<std::string>& names) {
    std::vector<CodeEntry> entries;
    entries.reserve(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        entries.push_back({static_cast<std::int64_t>(i) + 1, names[i]});
    }
    return entries;
}

// Reads the first field of every row into a list; the pack cannot go on without it.
Operation nameRead(std::vector<std::string>& list, std::vector<std::string> lines) {
    return {0, [&list, lines](TDM1& dm) {
                list.clear();
                const bool read = engine::readRows(
                    dm, dm.IBTrRead, lines, [&](const Row& row) { list.push_back(engine::textField(row, 0)); },
                    OnFailure::RollBack);
                return read ? Flow::Next : Flow::EndPack;
            }};
}

Operation groupRead(Lists& lists) {
    return nameRead(lists.groups, {"SELECT groupMain", "FROM stock_Group"});
}

Operation attributeRead(Lists& lists) {
    return nameRead(lists.attributes, {"SELECT Attribute", "FROM set_Config"});
}

Operation groupFill(const Lists& lists, std::string table, std::string nameColumn) {
    return codeFill(std::move(table), "KodGroup", std::move(nameColumn),
                    [&lists] { return positionsOf(lists.groups); });
}

Operation attributeFill(const Lists& lists, std::string table, std::string codeColumn, std::string nameColumn) {
    return codeFill(std::move(table), std::move(codeColumn), std::move(nameColumn),
                    [&lists] { return positionsOf(lists.attributes); });
}

// The kit list of a fittings material, one kit material number a line, becomes
// rows of fur_MaterialKomplect. Lines that are no positive number are dropped.
// When the move fails the rest of the part is not run, so the lists stay.
Operation kitListMove() {
    return {1, [](TDM1& dm) {
                struct Kit {
                    std::int64_t NumberMaterial = 0;
                    std::string Komplect;
                };
                const auto count = engine::readInteger(dm, dm.IBTrRead, {"SELECT Count (*)", "FROM fur_Material"},
                                                       OnFailure::RollBack);
                if (!count) {
                    return Flow::EndPart;
                }
                std::vector<Kit> kits;
                if (*count > 0 &&
                    !engine::readRows(
                        dm, dm.IBTrRead,
                        {"SELECT NumberMaterial, " + engine::textColumnForReading(dm, "fur_Material", "Komplect"),
                         "FROM fur_Material", "ORDER BY 1"},
                        [&](const Row& row) {
                            kits.push_back({engine::integerField(row, 0), engine::textField(row, 1)});
                        },
                        OnFailure::RollBack)) {
                    return Flow::EndPart;
                }
                engine::gauge2_Show(static_cast<int>(*count));
                const bool moved = engine::writeRows(
                    dm,
                    {"INSERT", "INTO fur_MaterialKomplect", "(NumberMaterial, NumberKomplect)", "VALUES (:p0, :p1)"},
                    [&](engine::fb::Statement& insert) {
                        for (const auto& kit : kits) {
                            engine::gauge2_Next();
                            for (const auto& line : engine::splitLines(kit.Komplect)) {
                                const std::int64_t number = engine::lineAsInteger(line, 0);
                                if (number > 0) {
                                    insert.execute({kit.NumberMaterial, number});
                                }
                            }
                        }
                    });
                if (!moved) {
                    return Flow::EndPart;
                }
                engine::gauge2_Hide();
                engine::inc_KolvoStep(1);
                return Flow::Next;
            }};
}

// The two stored procedures of the workshop calendar go before their tables.
// The check failing ends the pack; so does the drop, whose reason is added to
// the run log as it is.
Operation workshopProceduresDrop() {
    return {0, [](TDM1& dm) {
                const std::vector<std::string> check = {"SELECT Count (*)", "FROM RDB$PROCEDURES",
                                                        "WHERE RDB$PROCEDURE_NAME = :p0"};
                const auto c1 = engine::readInteger(dm, dm.IBTrWrite, check, OnFailure::RollBack, {"CALENDAR_CEH"});
                if (!c1) {
                    return Flow::EndPack;
                }
                const auto c2 = engine::readInteger(dm, dm.IBTrWrite, check, OnFailure::RollBack, {"PROC_ZEH_1"});
                if (!c2) {
                    return Flow::EndPack;
                }
                if (*c1 <= 0 && *c2 <= 0) {
                    return Flow::Next;
                }
                std::string statement;
                try {
                    for (const auto& [count, drop] :
                         {std::pair{*c1, "DROP procedure CALENDAR_CEH"}, std::pair{*c2, "DROP procedure PROC_ZEH_1"}}) {
                        if (count > 0) {
                            statement = drop;
                            engine::fb::Statement(dm.IBTrWrite, {statement}).execute();
                        }
                    }
                    dm.IBTrWrite.commit();
                    return Flow::Next;
                } catch (const std::exception& error) {
                    dm.IBTrWrite.rollback();
                    dm.logFailure(statement, error);
                    platform::ui().runLogLine(error.what());
                    return Flow::EndPack;
                }
            }};
}

Part sorvinPart(Lists& lists) {
    return {
        op::fc_ColumnAdd("stock_Group", "KodGroup", "i", 1),
        groupRead(lists),
        op::ft_TableGeneratorAdd("stock_Group", "KodGroup", [&lists] { return static_cast<int>(lists.groups.size()); }),
        groupFill(lists, "stock_Group", "GroupMain"),
        op::ft_TableIndexAdd("StockMain", "KodMaterial", "UNIQUE"),
    };
}

Part pricePart() {
    return {
        op::fc_ColumnAdd("Price", "MinPriceSale", "i", 11),  op::fc_ColumnDelete("PRICE", "NDS"),
        op::fc_ColumnDelete("PRICE", "COSTBASENDS"),         op::fc_ColumnDelete("PRICEHISTORY", "NDS"),
        op::fc_ColumnDelete("PRICEHISTORY", "COSTBASENDS"),  op::ft_TableIndexAdd("PRICE", "KodMaterial", "UNIQUE"),
        op::ft_TableIndexAdd("PRICEHISTORY", "KodMaterial"),
    };
}

Part baseAndConfigPart(const Lists& lists) {
    return {
        op::fc_ColumnAdd("stock_Group", "KodGroup", "i", 1),
        groupFill(lists, "stock_Group", "GroupMain"),
        op::fc_ColumnAdd("acc", "KodGroup", "i", 2),
        groupFill(lists, "acc", "Structure"),
        op::fc_ColumnDelete("acc", "Structure"),
        op::fc_ColumnAdd("FURNITURA", "KodGroup", "i", 3),
        groupFill(lists, "FURNITURA", "FURNITURA"),
        op::fc_ColumnDelete("FURNITURA", "FURNITURA"),
        op::fc_ColumnAdd("set_SubParameter", "KodGroup", "i", 2),
        op::ft_TableWriteColumnValue("set_SubParameter", "KodGroup", "0"),
        groupFill(lists, "set_SubParameter", "PROFIL"),
        op::fc_ColumnDelete("set_SubParameter", "PROFIL"),
        op::fc_ColumnDelete("set_SubParameter", "S1"),
        op::ft_TableRowNULL("set_SubParameter", "WHERE KodGroup = 0"),
        op::fc_ColumnAdd("COL_PROFIL", "KodGroup", "i", 2),
        groupFill(lists, "COL_PROFIL", "PROFIL"),
        op::fc_ColumnDelete("COL_PROFIL", "PROFIL"),
        op::fc_ColumnAdd("Template", "KodGroup", "i", 2),
        groupFill(lists, "Template", "Structure"),
        op::fc_ColumnDelete("Template", "Structure"),
        op::fc_ColumnAdd("stanok_Operation", "KodGroup", "i", 16),
        groupFill(lists, "stanok_Operation", "FURNITURA"),
        op::fc_ColumnDelete("stanok_Operation", "FURNITURA"),
        op::ft_TableDelete("stock_SizeFilling"),
        op::ft_TableDelete("STOCK_RISUNOK"),
        op::ft_TableAdd("STOCK_RISUNOK", "kodRis INT, numberRis INT, KodMaterial INT, Risunok BLOB SUB_TYPE 0",
                        "kodRis", 1),
        op::ft_TableDelete("SET_LOGISTIC_TRANSPORT"),
        op::ft_TableDelete("SET_FURNITURAPAZ"),
        op::fc_ColumnAdd("con_1", "KODMATERIAL0", "i", 3),
        op::fc_ColumnAdd("STOCK_SIZE", "MinLengthOtpil", "i", 9),
        op::fc_ColumnAdd("STOCK_SIZE", "KodLimit", "i", 10),
        op::fc_ColumnAdd("STOCK", "MinPriceSale", "i", 13),
        op::fc_ColumnAdd("set_Config", "KodAttribute", "i", 1),
        op::ft_TableGeneratorAdd("set_Config", "KodAttribute",
                                 [&lists] { return static_cast<int>(lists.attributes.size()); }),
        attributeFill(lists, "set_Config", "KodAttribute", "Attribute"),
        op::fc_ColumnDelete("stanok_mission", "name_Stanok"),
        op::fc_ColumnAdd("stanok_mission", "name_Stanok", "t255", 2),
        op::ft_TableAdd("StockMainDiler",
                        "COLUMN1 VARCHAR(255), COLUMN2 VARCHAR(255), COLUMN3 VARCHAR(255), COLUMN4 VARCHAR(255), "
                        "COLUMN5 VARCHAR(255), COLUMN6 VARCHAR(255), COLUMN7 VARCHAR(255)"),
        op::ft_TableIndexAdd("Stock", "KodMaterial", "UNIQUE"),
        op::fc_ColumnAdd("fur_Material", "KodGroup", "i", 2),
        groupFill(lists, "fur_Material", "Structure"),
        op::fc_ColumnDelete("fur_Material", "Structure"),
        op::ft_TableAdd("fur_MaterialKomplect", "NumberMaterial INT, NumberKomplect INT"),
        kitListMove(),
        op::fc_ColumnDelete("fur_Material", "Komplect"),
        op::ft_TableDelete("SET_WWW"),
    };
}

// The Base database reads the attribute list that it, the Config database and the Orders databases are coded with.
Part basePart(Lists& lists) {
    Part part = {attributeRead(lists)};
    for (auto& operation : baseAndConfigPart(lists)) {
        part.push_back(std::move(operation));
    }
    return part;
}

Part ordersPart(const Lists& lists) {
    return {
        op::fc_ColumnAdd("Product", "KodGroup", "i", 2),
        groupFill(lists, "Product", "Structure"),
        op::fc_ColumnDelete("Product", "Structure"),
        op::fc_ColumnDelete("Product", "Attribute"),
        op::fc_ColumnAdd("Orders", "KodAttribute", "i", 5),
        attributeFill(lists, "Orders", "KodAttribute", "Attribute"),
        op::fc_ColumnDelete("Orders", "Attribute"),
        op::fc_ColumnAdd("o_Attribute", "KodAttribute", "i", 3),
        op::fc_ColumnAdd("o_Attribute", "KodAttributeEnd", "i", 4),
        attributeFill(lists, "o_Attribute", "KodAttribute", "Attribute"),
        attributeFill(lists, "o_Attribute", "KodAttributeEnd", "AttributeTransit"),
        op::fc_ColumnDelete("o_Attribute", "Attribute"),
        op::fc_ColumnDelete("o_Attribute", "AttributeTransit"),
        op::ft_TableDelete("O_LOGISTIC"),
        op::ft_TableDelete("O_MESSAGE"),
        op::ft_TableAdd("O_MESSAGE",
                        "kodMessage INT, NOM_GUID VARCHAR(36), numberDiler INT, DateTimeReport TIMESTAMP, "
                        "DateTimeReportBegin TIMESTAMP, MessageText VARCHAR(255), DateTimeReply TIMESTAMP, "
                        "ReplyText VARCHAR(255)",
                        "kodMessage", 1),
        op::ft_TableIndexAdd("Orders", "NOM", "UNIQUE"),
    };
}

Part systemPart() {
    return {
        op::ft_TableDelete("O_MESSAGEREAD"),     op::ft_TableDelete("SET_ARCHIVE"),
        op::ft_TableDelete("SET_DOPUSKMANAGER"), workshopProceduresDrop(),
        op::ft_TableDelete("SET_CEH"),           op::ft_TableDelete("SET_CALENDAR_CEH"),
        op::ft_TableDelete("LIST_CEH"),
    };
}

// The rows capture `lists`, which must outlive every run of the table.
engine::PackTable pack_8_00_01(Lists& lists) {
    return {.number = 1,
            .required = engine::RequiredStamp{8, 0, 0, -1},
            .databases = {
                {Slot::Sorvin, sorvinPart(lists)},
                {Slot::Price, pricePart()},
                {Slot::Base, basePart(lists)},
                {Slot::Config, baseAndConfigPart(lists)},
                {Slot::Orders, ordersPart(lists)},
                {Slot::OrdersServer, ordersPart(lists)},
                {Slot::Pellix, {}},
                {Slot::Grelto, {}},
                {Slot::System, systemPart()},
            }};
}

} // namespace

int steps_8_00_01() {
    Lists lists;
    return engine::KolvoSP(pack_8_00_01(lists));
}

engine::Reformats reformats_8_00_01() {
    Lists lists;
    return engine::reformatsOf(pack_8_00_01(lists));
}

bool a_SP_8_00_01(engine::TDM1& dm) {
    Lists lists;
    return engine::runPack(dm, pack_8_00_01(lists));
}

} // namespace packs
