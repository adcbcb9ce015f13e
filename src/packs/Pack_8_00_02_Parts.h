#pragma once

#include "engine/PackFrame.h"

#include <cstdint>
#include <string>
#include <vector>

// What the parts of service pack 8.00.02 share: the reference lists read in
// the Base and Config databases and the procedures that code with them.
namespace packs {

// A pointer of set_Ukazatel; kind "A" names a material's place, kind "B" a side.
struct TUkazatel {
    std::int64_t KodUkazatel = 0;
    std::string Vid;
    std::string nameUkazatel;
};

// A work of rab.
struct TServiceList {
    std::int64_t KodService = 0;
    std::string NameService;
};

// The lists the pack carries from one database to the next, for one call.
struct Lists_8_00_02 {
    std::vector<TUkazatel> pointers;
    std::vector<TServiceList> services;
};

// The code of the first pointer of kind "B" named exactly `line` (case and blanks count); 0 when there is none.
std::int64_t sidePointerLookup(const std::vector<TUkazatel>& pointers, const std::string& line);

// Codes the `Karta` names of a table's rows with the pointers of kind "A" (1 step).
engine::Operation pointerCodeFill(const Lists_8_00_02& lists, std::string table);

// Turns the multi-line side-pointer names `KARTA` of each row of `table`, found
// by its key columns, into the list of their codes joined by "|" in
// KODUKAZATELSTORONA (2 steps: the row count and the fill).
engine::Operation sidePointerListFill(const Lists_8_00_02& lists, std::string table, std::vector<std::string> keys);

// The part of the pack on each Orders database (71 steps).
engine::Part ordersPart_8_00_02(const Lists_8_00_02& lists);

} // namespace packs
