#include "environment/DataBaseFiles.h"

#include "environment/DatabasePassword.h"
#include "environment/EventLog.h"
#include "environment/FileProcedures.h"
#include "environment/KvSetting.h"

#include <exception>

namespace environment {
namespace {

void formDatabasePaths() {
    auto& dir = kvSetting.KVDir;
    dir.dirKalver = kvSetting.bTrellan ? read_TrellanValue("BasePath800") : dir.VeskKalver8;
    auto& file = kvSetting.KVFile;
    const std::string& d = dir.dirKalver;
    file.FileOrdersTMP = d + "OrdersTMP.fdb";
    file.FileOrdersTMP2 = d + "OrdersTMP2.fdb";
    file.FileOrdersTMP3 = d + "OrdersTMP3.fdb";
    file.FilePrice = d + "Price.fdb";
    file.FileBase = d + "Base.fdb";
    file.FileConfig = d + "Config.fdb";
    file.FileGrelto = d + "Grelto.fdb";
    file.FileSystem = d + "System.fdb";
    file.FileOrders = d + "Orders.fdb";
    file.FilePellix = d + "Pellix.fdb";
    file.fileKladrMain = d + "Kladr_.fdb";
    file.fileKladr = d + "Kladr.fdb";
}

void formLoginLines() {
    if (NumberFirm < 1) {
        kvSetting.Params1.clear();
        kvSetting.Params2.clear();
        return;
    }
    kvSetting.Params1 = "user_name=" + databaseUser(NumberFirm);
    kvSetting.Params2 = "password=" + databasePassword(NumberFirm);
}

void formAliasNames() {
    const std::string N = std::to_string(NumberFirm);
    auto& alias = kvSetting.Alias;
    alias.Sorvin = "kvServerSorvin_8_" + N;
    alias.Price = "kvServerPrice_8_" + N;
    alias.Base = "kvServerBase_8_" + N;
    alias.Orders = "kvServerOrders_8_" + N;
    alias.System = "kvServerSystem_8_" + N;
    alias.Pellix = "kvServerPellix_8_" + N;
}

} // namespace

bool read_DataBaseFiles() {
    fw_Write_Register(2);
    try {
        formDatabasePaths();
        formLoginLines();
        formAliasNames();
        kvSetting.KVFile.FileINI = kvSetting.KVDir.PFVeskKalver8 + "kv.ini";
        return true;
    } catch (const std::exception&) {
        fw_Write_Register(113);
        return false;
    }
}

} // namespace environment
