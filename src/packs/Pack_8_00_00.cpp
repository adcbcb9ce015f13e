#include "packs/Pack_8_00_00.h"

#include "engine/EngineState.h"
#include "engine/PackFrame.h"
#include "environment/KvSetting.h"

namespace packs {
namespace {

using engine::TDM1;
using environment::kvSetting;

void createJournal(TDM1& dm) {
    dm.ft_TableAdd("log_Upgrade", "kodLog INT, uTime TIMESTAMP, uVersion VARCHAR(255)", "kodLog", 0);
}

void stampSet(TDM1& dm) {
    createJournal(dm);
    dm.fw_Write_Version(8, 0, 0);
}

// The System database also forgets the saved layouts of grids, buttons and document profiles.
void systemStampSet(TDM1& dm) {
    createJournal(dm);
    dm.ft_TableRowNULL("Set_Grid", "");
    dm.ft_TableRowNULL("Set_Button", "");
    dm.ft_TableRowNULL("SET_DOCPROFIL", "");
    dm.fw_Write_Version(8, 0, 0);
}

engine::PackTable pack() {
    const auto& file = kvSetting.KVFile;
    return {0,
            std::nullopt,
            21,
            {
                {[] { return engine::fileSorvin; }, false, 2, stampSet},
                {[&] { return file.FilePrice; }, false, 2, stampSet},
                {[&] { return file.FileBase; }, false, 2, stampSet},
                {[&] { return file.FileConfig; }, false, 2, stampSet},
                {[&] { return file.FileOrders; }, false, 2, stampSet},
                {[&] { return file.FileOrdersServer; }, true, 2, stampSet},
                {[&] { return file.FilePellix; }, false, 2, stampSet},
                {[&] { return file.FileGrelto; }, false, 2, stampSet},
                {[&] { return file.FileSystem; }, false, 5, systemStampSet},
            }};
}

} // namespace

bool a_SPold_007_12_SPnew_008(TDM1& dm) {
    return engine::runPack(dm, pack());
}

} // namespace packs
