#include "engine/PackFrame.h"

#include "engine/EngineState.h"
#include "environment/EventLog.h"
#include "environment/KvSetting.h"
#include "platform/UserInterface.h"

namespace engine {
namespace {

bool databaseReady(TDM1& dm, const PackTable& pack, const PackDatabase& database) {
    if (database.gatedByServer && !dm.control_FileOrdersServer()) {
        return false;
    }
    if (!dm.OpenDataBase(database.path())) {
        return false;
    }
    if (!pack.required) {
        return true;
    }
    const auto& s = *pack.required;
    return dm.control_Version(s.Vers, s.SP, s.BB, s.BB_New);
}

} // namespace

bool runPack(TDM1& dm, const PackTable& pack) {
    for (const auto& database : pack.databases) {
        dm.CloseDataBase();
        try {
            if (databaseReady(dm, pack, database)) {
                database.part(dm);
            } else {
                inc_KolvoStep(database.weight);
            }
        } catch (...) {
            dm.CloseDataBase();
            throw;
        }
        dm.CloseDataBase();
    }
    return dm.fw_Write_Result(0, pack.number, pack.KolvoSP);
}

bool runPackWrapper(int number, const std::function<bool(TDM1&)>& method) {
    KolvoStep = 0;
    environment::kvSetting.Kod2 = 80000 + number;
    environment::fw_Write_Register(402);
    bool installed = false;
    {
        TDM1 module;
        installed = method(module);
    }
    if (!installed) {
        return false;
    }
    environment::fw_Write_Register(403);
    return true;
}

void gauge2_Show(int Value) {
    if (Value < 10) {
        platform::ui().innerGaugeHide();
        return;
    }
    platform::ui().innerGaugeShow(Value);
    platform::ui().processEvents();
}

void gauge2_Next() {
    platform::ui().innerGaugeNext();
}

void gauge2_Hide() {
    platform::ui().innerGaugeHide();
    platform::ui().processEvents();
}

} // namespace engine
