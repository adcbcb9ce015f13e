#include "engine/DataModule.h"
#include "engine/DatabaseSlots.h"
#include "engine/EngineState.h"
#include "engine/ReadScope.h"
#include "engine/firebird/FbStatus.h"
#include "platform/Text.h"
#include "platform/UserInterface.h"

#include <climits>
#include <utility>

namespace engine {

std::int64_t TDM1::readOneInteger(const std::vector<std::string>& sql) {
    // Committed also when the read fails: the stamp readers go on with the next value.
    ReadScope read(IBQueryRead, IBTrRead, OnFailure::Commit);
    IBQueryRead.SQL = sql;
    IBQueryRead.Params.clear();
    IBQueryRead.open();
    const std::int64_t value = IBQueryRead.eof() ? 0 : IBQueryRead.fieldAsInteger(0);
    read.finish();
    return value;
}

bool TDM1::catalogueHas(std::vector<std::string> sql, std::vector<fb::SqlValue> params) {
    try {
        // A question that cannot be answered counts as "absent"; the read transaction ends all the same.
        ReadScope read(IBQueryRead, IBTrRead, OnFailure::Commit);
        IBQueryRead.SQL = std::move(sql);
        IBQueryRead.Params = std::move(params);
        IBQueryRead.open();
        const bool found = IBQueryRead.fieldAsInteger(0) > 0;
        read.finish();
        return found;
    } catch (const fb::FbError&) {
        return false;
    }
}

bool TDM1::control_Column(const std::string& NameTable, const std::string& ColName) {
    return catalogueHas(
        {"SELECT Count (*)", "FROM RDB$RELATION_FIELDS", "WHERE RDB$RELATION_NAME = :p0 AND RDB$FIELD_NAME = :p1"},
        {platform::upperAscii(NameTable), platform::upperAscii(ColName)});
}

bool TDM1::read_Vers_SP_Build(int& Vers, int& SP, int& BB) {
    if (!databaseAnswers()) {
        return false;
    }
    try {
        Vers = static_cast<int>(readOneInteger({"SELECT Version", "FROM kv_Setting"}));
        if (!control_Column("kv_Setting", "ServicePack")) {
            SP = -1;
            BB = -1;
            return false;
        }
        SP = static_cast<int>(readOneInteger({"SELECT ServicePack", "FROM kv_Setting"}));
        if (!control_Column("kv_Setting", "Build")) {
            BB = -1;
            return false;
        }
        BB = static_cast<int>(readOneInteger({"SELECT Build", "FROM kv_Setting"}));
        return true;
    } catch (const fb::FbError&) {
        return false;
    }
}

bool TDM1::read_VersionServicePackBuild(const std::string& nameBase, int& Ver, int& SP, int& BB) {
    if (!OpenDataBase(nameBase)) {
        return false;
    }
    try {
        ReadScope read(IBQueryRead, IBTrRead, OnFailure::RollBack);
        IBQueryRead.SQL = {"SELECT", "Version, ServicePack, Build", "FROM kv_Setting"};
        IBQueryRead.Params.clear();
        IBQueryRead.open();
        int v = 0, s = 0, b = 0;
        if (!IBQueryRead.eof()) {
            v = static_cast<int>(IBQueryRead.fieldAsInteger(0));
            s = static_cast<int>(IBQueryRead.fieldAsInteger(1));
            b = static_cast<int>(IBQueryRead.fieldAsInteger(2));
        }
        read.finish();
        Ver = v;
        SP = s;
        BB = b;
        CloseDataBase();
        return true;
    } catch (const fb::FbError&) {
        CloseDataBase();
        return false;
    }
}

bool TDM1::control_Version(int Vers, int SP, int BB, int BB_New) {
    if (!databaseAnswers()) {
        return false;
    }
    try {
        if (readOneInteger({"SELECT Version", "FROM kv_Setting"}) != Vers) {
            return false;
        }
        if (!control_Column("kv_Setting", "ServicePack")) {
            return false;
        }
        if (readOneInteger({"SELECT ServicePack", "FROM kv_Setting"}) != SP) {
            return false;
        }
        if (!control_Column("kv_Setting", "Build")) {
            return false;
        }
        const auto b = readOneInteger({"SELECT Build", "FROM kv_Setting"});
        if (BB_New < 0) {
            return b == BB;
        }
        return b == BB || b == BB_New;
    } catch (const fb::FbError& error) {
        platform::ui().showMessage(IBDatabase1.path() + "\r\r" + error.what());
        return false;
    }
}

void TDM1::fw_Write_Version(int VV, int SP, int BB) {
    const bool written = committedWrite([&] {
        executeInWrite({"UPDATE kv_Setting", "SET", "Version = :p0,", "ServicePack = :p1,", "Build = :p2"},
                       {std::int64_t{VV}, std::int64_t{SP}, std::int64_t{BB}});
    });
    if (written) {
        inc_KolvoStep(1);
    }
}

int TDM1::read_miniServicePackBuild(int& vbb) {
    int minSP = INT_MAX;
    int minBB = INT_MAX;
    for (const Slot slot : kMinimumStampOrder) {
        if (!slotPresent(slot) || !OpenDataBase(slotPath(slot))) {
            continue;
        }
        // A value the read leaves untouched takes no part in the minimum. The pair of one database
        // decides: separate minima would call for a pack that no database is ready for.
        int v = 0;
        int sp = INT_MAX;
        int bb = INT_MAX;
        read_Vers_SP_Build(v, sp, bb);
        if (std::pair{sp, bb} < std::pair{minSP, minBB}) {
            minSP = sp;
            minBB = bb;
        }
    }
    CloseDataBase();
    vbb = minBB;
    return minSP;
}

} // namespace engine
