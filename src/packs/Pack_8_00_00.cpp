#include "packs/Pack_8_00_00.h"

#include "engine/Operations.h"

namespace packs {
namespace {

using engine::Part;
using engine::Slot;
namespace op = engine::op;

engine::Operation createJournal() {
    return op::ft_TableAdd("log_Upgrade", "kodLog INT, uTime TIMESTAMP, uVersion VARCHAR(255)", "kodLog", 0);
}

Part stampSet() {
    return {createJournal(), op::fw_Write_Version(8, 0, 0)};
}

// The System database also forgets the saved layouts of grids, buttons and document profiles.
Part systemStampSet() {
    return {
        createJournal(),
        op::ft_TableRowNULL("Set_Grid"),
        op::ft_TableRowNULL("Set_Button"),
        op::ft_TableRowNULL("SET_DOCPROFIL"),
        op::fw_Write_Version(8, 0, 0),
    };
}

} // namespace

engine::PackTable pack_8_00_00() {
    return {.number = 0,
            .required = std::nullopt,
            .databases = {
                {Slot::Sorvin, stampSet()},
                {Slot::Price, stampSet()},
                {Slot::Base, stampSet()},
                {Slot::Config, stampSet()},
                {Slot::Orders, stampSet()},
                {Slot::OrdersServer, stampSet()},
                {Slot::Pellix, stampSet()},
                {Slot::Grelto, stampSet()},
                {Slot::System, systemStampSet()},
            }};
}

bool a_SPold_007_12_SPnew_008(engine::TDM1& dm) {
    return engine::runPack(dm, pack_8_00_00());
}

} // namespace packs
