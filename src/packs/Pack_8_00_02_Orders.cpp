#include "engine/Operations.h"
#include "packs/CodeFill.h"
#include "packs/Pack_8_00_02_Parts.h"

namespace packs {
namespace {

namespace op = engine::op;

// The order tables that named a pointer in `Karta`, and where their code goes.
struct OrderTable {
    const char* name;
    int position;
};

constexpr OrderTable kOrderTables[] = {
    {"C_MATERIAL", 8},  {"DE_KARTA", 10},   {"DE_MATERIAL", 8}, {"DM_MATERIAL", 6},  {"K_CAPITAL", 10},
    {"K_MATERIALF", 9}, {"K_MATERIALI", 7}, {"K_MATERIALR", 9}, {"K_MATERIALS", 17}, {"K_TONIROVKA", 6},
    {"P_KARTA", 13},    {"P_KARTA2", 8},    {"P_KARTAA", 13},   {"P_KARTAF", 10},    {"P_KARTAS", 9},
    {"P_MATERIAL", 7},  {"P_MATERIALF", 8}, {"R_MATERIAL", 7},  {"S_MATERIAL", 9},
};

// The services of the orders get the code of the rab entry they name; a name
// that no entry has keeps the 0 written before.
engine::Operation serviceCodeFill(const Lists_8_00_02& lists) {
    return codeFill("o_Service", "KodService", "Service", [&lists] {
        std::vector<CodeEntry> entries;
        entries.reserve(lists.services.size());
        for (const auto& service : lists.services) {
            entries.push_back({service.KodService, service.NameService});
        }
        return entries;
    });
}

} // namespace

engine::Part ordersPart_8_00_02(const Lists_8_00_02& lists) {
    engine::Part part = {
        op::ft_TableDelete("K_ACCESS"),
        op::fc_ColumnAdd("o_Attribute", "NumberDiler", "i", 99),
    };
    for (const auto& table : kOrderTables) {
        part.push_back(op::fc_ColumnAdd(table.name, "KodUkazatel", "i", table.position));
    }
    for (const auto& table : kOrderTables) {
        part.push_back(pointerCodeFill(lists, table.name));
    }
    for (const auto& table : kOrderTables) {
        part.push_back(op::fc_ColumnDelete(table.name, "Karta"));
    }
    for (auto& operation : engine::Part{
             op::fc_ColumnAdd("k_Pro", "KodUkazatelStorona", "t255", 6),
             sidePointerListFill(lists, "k_Pro", {"NOM", "NUMBERPRODUCT", "NUMBERSTORONA"}),
             op::fc_ColumnDelete("k_Pro", "Karta"),
             op::ft_TableWriteColumnValue("o_Service", "KodService", "0"),
             serviceCodeFill(lists),
             op::fc_ColumnDelete("o_Service", "Service"),
             op::fc_ColumnDelete("o_Service", "Structure"),
             // The two names end in a blank, which the catalogue does not count.
             op::fc_ColumnDelete("o_Service", "KODCAPITAL "),
             op::fc_ColumnDelete("o_Service", "COSTCAPITAL "),
             op::fc_ColumnDelete("o_Service", "OTKOSMIN"),
             op::fc_ColumnDelete("o_Service", "OTKOSMAX"),
         }) {
        part.push_back(std::move(operation));
    }
    return part;
}

} // namespace packs
