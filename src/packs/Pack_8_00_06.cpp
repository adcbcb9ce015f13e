#include "packs/Pack_8_00_06.h"

#include "engine/EngineState.h"
#include "engine/Operations.h"
#include "engine/PackToolkit.h"
#include "engine/firebird/Statement.h"

#include <memory>

namespace packs {
namespace {

using engine::Flow;
using engine::Operation;
using engine::Part;
using engine::Slot;
using engine::TDM1;
namespace op = engine::op;

// The text code of a fittings material becomes a number: 0 first for every row,
// then 1, 2 and 3 for r, s and rs. Once the text column is gone an earlier run has
// coded the rows, and the writes only count. The text column goes only when every
// write went through: a write that failed would otherwise lose the codes it was
// to carry, and the next run codes the rows again from the texts.
void addElementCoding(Part& part, const std::string& table, int position) {
    const Part writes = {
        op::ft_TableWriteColumnValue(table, "nElement", "0"),
        op::ft_TableWriteColumnValue(table, "nElement", "1", "WHERE Element = 'r'"),
        op::ft_TableWriteColumnValue(table, "nElement", "2", "WHERE Element = 's'"),
        op::ft_TableWriteColumnValue(table, "nElement", "3", "WHERE Element = 'rs'"),
    };
    const auto coded = std::make_shared<bool>(false);
    part.push_back(op::fc_ColumnAdd(table, "nElement", "i", position));
    part.push_back({engine::weightOf(writes), [table, writes, coded](TDM1& dm) {
                        *coded = true;
                        if (!dm.control_Column(table, "Element")) {
                            engine::inc_KolvoStep(engine::weightOf(writes));
                            return Flow::Next;
                        }
                        for (const auto& write : writes) {
                            const int before = engine::KolvoStep;
                            write.run(dm);
                            *coded = *coded && engine::KolvoStep > before;
                        }
                        return Flow::Next;
                    }});
    const Operation drop = op::fc_ColumnDelete(table, "Element");
    part.push_back({drop.steps, [drop, coded](TDM1& dm) { return *coded ? drop.run(dm) : Flow::Next; }});
}

Part cataloguePart() {
    Part part;
    addElementCoding(part, "fur_Material", 16);
    addElementCoding(part, "fur_Material2", 6);
    for (auto& operation : Part{
             op::fc_ColumnAdd("kv_Setting", "numberBase7", "i", 99),
             op::ft_TableReWriteColumn("kv_Setting", "numberBase", "numberBase7"),
             op::ft_TableAdd("Change_ProfilMaterial",
                             "kodProfil Int, kodMaterial INT, kodChangeProfil INT, kodChangeMaterial INT"),
             op::ft_TableAdd("Change_ProfilAccess",
                             "kodProfil Int, kodAccess INT, kodChangeProfil INT, kodChangeAccess INT"),
             op::fc_ColumnAdd("set_Manager", "DateChange", "p", 8),
             op::fc_ColumnAdd("set_Manager", "Setting5", "b1", 99),
             op::fc_ColumnDelete("set_Manager", "tBegin"),
             op::fc_ColumnAdd("set_Manager", "tBegin", "d", 8),
             op::ft_TableWriteColumnValue("set_Manager", "tBegin", "0"),
         }) {
        part.push_back(std::move(operation));
    }
    return part;
}

// Copies the rows of a column that the part drops next into its archive table.
// The archive is filled anew each time, so a run after a failure does not copy
// the rows twice; once the column is gone an earlier run has archived it.
Operation archive(std::string archiveTable, std::string source, std::string column, std::string columns) {
    return {1, [=](TDM1& dm) {
                if (dm.control_Column(source, column)) {
                    const bool copied =
                        engine::writeRows(dm, {"DELETE FROM " + archiveTable}, [&](engine::fb::Statement& clear) {
                            clear.execute();
                            engine::fb::Statement(dm.IBTrWrite, {"INSERT", "INTO " + archiveTable, "(" + columns + ")",
                                                                 "SELECT " + columns, "FROM " + source})
                                .execute();
                        });
                    if (!copied) {
                        return Flow::EndPart;
                    }
                }
                engine::inc_KolvoStep(1);
                return Flow::Next;
            }};
}

Part ordersPart() {
    return {
        op::ft_TableAdd("p_Parameter_Old_712", "NOM Int, NumberProduct INT, p_Parameter BLOB SUB_TYPE 1"),
        archive("p_Parameter_Old_712", "Product", "p_Parameter", "NOM, NumberProduct, p_Parameter"),
        op::fc_ColumnDelete("Product", "p_Parameter"),
        op::ft_TableAdd("k_Furnitura_Old_712", "NOM Int, NumberProduct INT, NumberElement INT, FColor VARCHAR(255)"),
        archive("k_Furnitura_Old_712", "k_Furnitura", "FColor", "NOM, NumberProduct, NumberElement, FColor"),
        op::fc_ColumnDelete("k_Furnitura", "FColor"),
        op::ft_TableAdd("p_Parameter", "NOM Int, NumberProduct INT, KodParameter INT, KodSubParameter INT"),
        op::ft_TableAdd("k_Parameter",
                        "NOM Int, NumberProduct INT, NumberElement INT, KodParameter INT, KodSubParameter INT"),
    };
}

engine::PackTable pack_8_00_06() {
    return {.number = 6,
            .required = engine::RequiredStamp{8, 0, 5, -1},
            .databases = {
                {Slot::Price, {}},
                {Slot::Base, cataloguePart()},
                {Slot::Config, cataloguePart()},
                {Slot::Orders, ordersPart()},
                {Slot::OrdersServer, ordersPart()},
                {Slot::Pellix, {}},
                {Slot::Grelto, {}},
                {Slot::System, {}},
            }};
}

} // namespace

int steps_8_00_06() {
    return engine::KolvoSP(pack_8_00_06());
}

engine::Reformats reformats_8_00_06() {
    return engine::reformatsOf(pack_8_00_06());
}

bool a_SP_8_00_06(engine::TDM1& dm) {
    return engine::runPack(dm, pack_8_00_06());
}

} // namespace packs
