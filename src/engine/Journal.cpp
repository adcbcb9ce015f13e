#include "engine/DataModule.h"
#include "engine/DatabaseSlots.h"
#include "engine/EngineState.h"
#include "engine/firebird/FbStatus.h"
#include "environment/RunLog.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/UserInterface.h"

#include <functional>

namespace engine {
namespace {

constexpr int kJournalSlots = static_cast<int>(kJournalOrder.size());

std::string stampText(int SP, int BB) {
    return "Base 8." + std::to_string(SP) + "." + std::to_string(BB);
}

std::string errorCode(int sp, int build, int expected, int counted) {
    return "8." + std::to_string(sp) + "." + std::to_string(build) + "." + std::to_string(expected) + "." +
           std::to_string(counted);
}

std::string somethingWentWrong(const std::string& outcome, const std::string& code) {
    return "Что-то пошло не так\r" + outcome + "\rОбратитесь к разработчику\r\rСообщите код: " + code + "\r";
}

} // namespace

void TDM1::walkDatabaseSlots(const std::function<void()>& writeSlot, SlotChoice choice) {
    for (const Slot slot : kJournalOrder) {
        const bool chosen = choice == SlotChoice::Processed ? processed(slot) : slotPresent(slot);
        if (!chosen) {
            inc_KolvoStep(1);
        } else if (OpenDataBase(slotPath(slot))) {
            writeSlot();
        } else if (choice == SlotChoice::Processed) {
            reportOpenFailure(slotPath(slot));
        } else {
            inc_KolvoStep(1);
        }
        CloseDataBase();
    }
}

void TDM1::insertJournalRow(const std::string& text) {
    executeInWrite({"INSERT", "INTO log_Upgrade", "(uTime, uVersion)", "VALUES (:p0, :p1)"},
                   {fb::Timestamp{platform::now()}, text});
}

void TDM1::fw_Write_ServicePack_Log(int SP, int BB) {
    const bool stamped = committedWrite([&] {
        executeInWrite({"UPDATE kv_Setting", "SET", "ServicePack = :p0,", "Build = :p1"},
                       {std::int64_t{SP}, std::int64_t{BB}});
    });
    // The stamp stays written when its journal row cannot be.
    if (stamped && committedWrite([&] { insertJournalRow(stampText(SP, BB)); })) {
        inc_KolvoStep(1);
    }
}

void TDM1::fw_Write_Log(int SP, int BB) {
    walkDatabaseSlots([&] { fw_Write_ServicePack_Log(SP, BB); }, SlotChoice::Processed);
}

void TDM1::fw_Write_Log_Error(int SP, int BB, const std::string& cMsgError) {
    walkDatabaseSlots(
        [&] { committedWrite([&] { insertJournalRow(stampText(SP, BB) + " - " + "Error " + cMsgError); }); },
        SlotChoice::Present);
}

bool TDM1::fw_Write_Result(int sp, int build, int KolvoSP) {
    if (build == 4 && platform::fileExists(fileSorvin)) {
        platform::ui().showMessage(fileSorvin + " - YES");
    }
    if (KolvoStep == KolvoSP) {
        fw_Write_Log(sp, build);
        if (KolvoStep == KolvoSP + kJournalSlots) {
            return true;
        }
        const std::string code = errorCode(sp, build, KolvoSP + kJournalSlots, KolvoStep);
        platform::ui().showMessage(somethingWentWrong("02", code));
        environment::ZapisMemo3("код: " + code);
        return false;
    }
    const std::string code = errorCode(sp, build, KolvoSP, KolvoStep);
    platform::ui().showMessage(somethingWentWrong("01", code));
    environment::ZapisMemo3("код: " + code);
    fw_Write_Log_Error(sp, build, code);
    return false;
}

} // namespace engine
