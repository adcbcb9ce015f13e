#include "packs/Pack_8_00_07.h"

#include "engine/EngineState.h"
#include "engine/Operations.h"

namespace packs {
namespace {

using engine::Flow;
using engine::Operation;
using engine::Part;
using engine::Slot;
using engine::TDM1;
namespace op = engine::op;

// A pair of limit columns, made and filled once: when its first column is
// there the pair is left as it is (its values are the user's by then).
Operation columnPair(std::string table, std::string first, std::string second, int firstPosition, int secondPosition) {
    const Part steps = {
        op::fc_ColumnAdd(table, first, "i", firstPosition),
        op::fc_ColumnAdd(table, second, "i", secondPosition),
        op::ft_TableWriteColumnValue(table, first, "0"),
        op::ft_TableWriteColumnValue(table, second, "999999999"),
    };
    return {4,
            [=](TDM1& dm) {
                if (dm.control_Column(table, first)) {
                    engine::inc_KolvoStep(4);
                    return Flow::Next;
                }
                for (const auto& step : steps) {
                    step.run(dm);
                }
                return Flow::Next;
            },
            engine::reformatsOf(steps)};
}

Part cataloguePart() {
    return {
        op::ft_TableAdd("set_Const", "IDConst INT, KodConst INT, nameConst VARCHAR(255)", "IDConst", 0),
        op::fc_ColumnAdd("SET_ELEMENT", "ArtikulMaterial", "t255", 4),
        op::fc_ColumnAdd("ACC_MATERIAL", "KodWork", "i", 15),
        op::fc_ColumnPereType("FURNITURA", "KOMPLECT", "t255"),
        op::fc_ColumnPereType("PR_STRUCTURE", "D", "i"),
        columnPair("W_OPERATION", "ValueMin", "ValueMax", 5, 6),
        columnPair("FUR_STRUCTURE", "S6", "S7", 99, 99),
        op::fc_ColumnDelete("STOCK", "MinPriceSale"),
    };
}

engine::PackTable pack_8_00_07() {
    return {.number = 7,
            .required = engine::RequiredStamp{8, 0, 6, 7},
            .databases = {
                {Slot::Price, {op::fc_ColumnDelete("Price", "MinPriceSale")}},
                {Slot::Base, cataloguePart()},
                {Slot::Config, cataloguePart()},
                {Slot::Orders, {op::fc_ColumnPereType("K_CAPITAL", "D", "i")}},
                {Slot::OrdersServer, {op::fc_ColumnPereType("K_CAPITAL", "D", "i")}},
                {Slot::Pellix, {}},
                {Slot::Grelto, {}},
                {Slot::System, {}},
            }};
}

} // namespace

int steps_8_00_07() {
    return engine::KolvoSP(pack_8_00_07());
}

engine::Reformats reformats_8_00_07() {
    return engine::reformatsOf(pack_8_00_07());
}

bool a_SP_8_00_07(engine::TDM1& dm) {
    return engine::runPack(dm, pack_8_00_07());
}

} // namespace packs
