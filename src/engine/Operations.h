#pragma once

#include "engine/PackFrame.h"

#include <functional>
#include <string>

// The engine operations as rows of a pack's table, named and argued as the
// packs' tables name them. Each counts the steps the operation counts on its
// normal path. Adding, dropping and retyping a column give its table a new record
// format; renaming and moving one do not.
namespace engine::op {

Operation fc_ColumnAdd(std::string NameTable, std::string ColName, std::string ColType, int NumberPos);
Operation fc_ColumnDelete(std::string NameTable, std::string ColName);
Operation fc_ColumnPereName(std::string NameTable, std::string ColNameOld, std::string ColNameNew);
Operation fc_ColumnPereType(std::string NameTable, std::string ColName, std::string NewType);
// Counts no step.
Operation fc_ColumnPereNumber(std::string NameTable, std::string ColName, int NumberPos);
Operation ft_TableWriteColumnValue(std::string nameTable, std::string nameColumn, std::string cValue,
                                   std::string cWHERE = {});
Operation ft_TableReWriteColumn(std::string nameTable, std::string oldColumn, std::string newColumn,
                                std::string cWHERE = {});
Operation ft_TableAdd(std::string NameTable, std::string sqlText, std::string genText = {}, int PositionGen = 0);
// The start value is taken when the row runs: packs start generators from values they read earlier.
Operation ft_TableGeneratorAdd(std::string NameTable, std::string PoleGen, std::function<int()> PositionGen);
Operation ft_TableDelete(std::string NameTable);
Operation ft_TableIndexAdd(std::string NameTable, std::string NameColumn, std::string sUNIQUE = {});
Operation ft_TableRowNULL(std::string NameTable, std::string cWHERE = {});
Operation fw_Write_Version(int VV, int SP, int BB);

} // namespace engine::op
