#include "run/SiblingReplacement.h"

#include "run/PayloadInflater.h"

#include "environment/EventLog.h"
#include "environment/FileProcedures.h"
#include "environment/KvSetting.h"
#include "environment/RunLog.h"
#include "platform/FileSystem.h"
#include "platform/Resources.h"
#include "platform/UserInterface.h"

#include <filesystem>
#include <fstream>
#include <span>
#include <stdexcept>

namespace run {

using environment::fw_Write_Register;
using environment::kvSetting;

namespace {

namespace fs = std::filesystem;

// Writes beside the target and renames it over, so a half-written file never
// carries the target's name.
void writeExecutable(std::span<const unsigned char> compressed, const std::string& Target) {
    const std::string temporary = Target + ".tmp";
    try {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            throw std::runtime_error("cannot create the file " + temporary);
        }
        inflatePayload(compressed, out);
        out.close();
        if (!out) {
            throw std::runtime_error("cannot write the file " + temporary);
        }
        fs::permissions(temporary,
                        fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec | fs::perms::others_read |
                            fs::perms::others_exec,
                        fs::perm_options::replace);
        fs::rename(temporary, Target);
    } catch (...) {
        std::error_code ec;
        fs::remove(temporary, ec);
        throw;
    }
}

} // namespace

int fw_ExtractResource(const std::string& ResName, const std::string& ResType, const std::string& FileName,
                       bool Overwrite) {
    const std::string Target = kvSetting.KVDir.PFVeskKalver8 + FileName;
    if (!Overwrite && platform::fileExists(Target)) {
        fw_Write_Register(481);
        return 4;
    }
    const auto resource = platform::findResource(ResName, ResType);
    if (!resource) {
        fw_Write_Register(482);
        return 3;
    }
    if (!environment::fw_DeleteFile(Target)) {
        fw_Write_Register(483);
        return 1;
    }
    writeExecutable(*resource, Target);
    if (platform::fileExists(Target)) {
        fw_Write_Register(484);
        return 0;
    }
    fw_Write_Register(485);
    return 2;
}

void ExtractSibling(const std::string& ResName, const std::string& ResType, const std::string& FileName, bool Overwrite,
                    bool& failed, const RunHooks& hooks) {
    environment::ZapisLabel(" Установка " + FileName);
    hooks.pause(50);
    switch (fw_ExtractResource(ResName, ResType, FileName, Overwrite)) {
    case 0:
        environment::ZapisMemo3(FileName + " - переписан");
        break;
    case 1:
        environment::ZapisMemo3(FileName + " занят");
        failed = true;
        break;
    case 2:
        environment::ZapisMemo3(FileName + "- не переписан. Сбой в системе - 2");
        failed = true;
        break;
    default:
        break;
    }
}

bool replaceSiblingExecutables(int c, int vbb, const RunHooks& hooks) {
    const std::string E = "Error " + std::to_string(c) + "." + std::to_string(vbb);
    const std::string& folder = kvSetting.KVDir.PFVeskKalver8;
    auto& ui = platform::ui();
    bool failed = false;

    const auto endRemoval = [&] {
        ui.overallGaugeAdd(1);
        hooks.pause(50);
    };
    try {
        environment::ZapisLabel(" Удаление: morfa_8.exe");
        if (!environment::fw_DeleteFile(folder + "morfa_" + "8" + ".exe")) {
            failed = true;
        }
        if (failed) {
            ui.showMessage(E + "_101");
        }
        environment::ZapisLabel(" Удаление: kv8_h.exe");
        if (!environment::fw_DeleteFile(folder + "kv" + "8" + "_h.exe")) {
            failed = true;
        }
        if (failed) {
            ui.showMessage(E + "_102");
        }
    } catch (...) {
        endRemoval();
        throw;
    }
    endRemoval();

    // A file that could not be removed is met again by the extraction, which sets the flag anew.
    failed = false;

    fw_Write_Register(410);
    try {
        ExtractSibling("MORFA", "EXE", "morfa_8.exe", true, failed, hooks);
    } catch (const std::exception&) {
        failed = true;
        fw_Write_Register(412);
    }
    ui.overallGaugeAdd(1);
    fw_Write_Register(411);
    hooks.pause(50);

    if (failed) {
        ui.showMessage(E + "_111");
    } else {
        fw_Write_Register(420);
        try {
            ExtractSibling("KV8H", "EXE", "kv8_h.exe", true, failed, hooks);
        } catch (const std::exception&) {
            failed = true;
            fw_Write_Register(422);
        }
    }
    ui.overallGaugeAdd(1);
    fw_Write_Register(421);
    hooks.pause(50);
    return failed;
}

} // namespace run
