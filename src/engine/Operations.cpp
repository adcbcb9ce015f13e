#include "engine/Operations.h"

namespace engine::op {
namespace {

Operation oneStep(std::function<void(TDM1&)> action, std::vector<std::string> reformats = {}) {
    return {1,
            [action = std::move(action)](TDM1& dm) {
                action(dm);
                return Flow::Next;
            },
            std::move(reformats)};
}

} // namespace

Operation fc_ColumnAdd(std::string NameTable, std::string ColName, std::string ColType, int NumberPos) {
    return oneStep([=](TDM1& dm) { dm.fc_ColumnAdd(NameTable, ColName, ColType, NumberPos); }, {NameTable});
}

Operation fc_ColumnDelete(std::string NameTable, std::string ColName) {
    return oneStep([=](TDM1& dm) { dm.fc_ColumnDelete(NameTable, ColName); }, {NameTable});
}

Operation fc_ColumnPereName(std::string NameTable, std::string ColNameOld, std::string ColNameNew) {
    return oneStep([=](TDM1& dm) { dm.fc_ColumnPereName(NameTable, ColNameOld, ColNameNew); });
}

Operation fc_ColumnPereType(std::string NameTable, std::string ColName, std::string NewType) {
    return oneStep([=](TDM1& dm) { dm.fc_ColumnPereType(NameTable, ColName, NewType); }, {NameTable});
}

Operation fc_ColumnPereNumber(std::string NameTable, std::string ColName, int NumberPos) {
    return {0, [=](TDM1& dm) {
                dm.fc_ColumnPereNumber(NameTable, ColName, NumberPos);
                return Flow::Next;
            }};
}

Operation ft_TableWriteColumnValue(std::string nameTable, std::string nameColumn, std::string cValue,
                                   std::string cWHERE) {
    return oneStep([=](TDM1& dm) { dm.ft_TableWriteColumnValue(nameTable, nameColumn, cValue, cWHERE); });
}

Operation ft_TableReWriteColumn(std::string nameTable, std::string oldColumn, std::string newColumn,
                                std::string cWHERE) {
    return oneStep([=](TDM1& dm) { dm.ft_TableReWriteColumn(nameTable, oldColumn, newColumn, cWHERE); });
}

Operation ft_TableAdd(std::string NameTable, std::string sqlText, std::string genText, int PositionGen) {
    return oneStep([=](TDM1& dm) { dm.ft_TableAdd(NameTable, sqlText, genText, PositionGen); });
}

Operation ft_TableGeneratorAdd(std::string NameTable, std::string PoleGen, std::function<int()> PositionGen) {
    return oneStep([=](TDM1& dm) { dm.ft_TableGeneratorAdd(NameTable, PoleGen, PositionGen()); });
}

Operation ft_TableDelete(std::string NameTable) {
    return oneStep([=](TDM1& dm) { dm.ft_TableDelete(NameTable); });
}

Operation ft_TableIndexAdd(std::string NameTable, std::string NameColumn, std::string sUNIQUE) {
    return oneStep([=](TDM1& dm) { dm.ft_TableIndexAdd(NameTable, NameColumn, sUNIQUE); });
}

Operation ft_TableRowNULL(std::string NameTable, std::string cWHERE) {
    return oneStep([=](TDM1& dm) { dm.ft_TableRowNULL(NameTable, cWHERE); });
}

Operation fw_Write_Version(int VV, int SP, int BB) {
    return oneStep([=](TDM1& dm) { dm.fw_Write_Version(VV, SP, BB); });
}

} // namespace engine::op
