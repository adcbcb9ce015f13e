#include "engine/PackFrame.h"

#include "engine/EngineState.h"
#include "engine/FailureRecord.h"
#include "environment/EventLog.h"
#include "environment/KvSetting.h"
#include "platform/FileSystem.h"
#include "platform/StepBoundary.h"
#include "platform/Text.h"
#include "platform/UserInterface.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <stdexcept>

namespace engine {
namespace {

enum class Readiness {
    Ready,   // open and at the required stamp: the part runs
    Skipped, // not there or at another stamp: its weight counts
    Failed,  // there but it would not open: nothing counts, so the pack fails
};

Readiness databaseReady(TDM1& dm, const PackTable& pack, Slot slot) {
    if (!slotPresent(slot) || !platform::fileExists(slotPath(slot))) {
        return Readiness::Skipped;
    }
    if (!dm.OpenDataBase(slotPath(slot))) {
        dm.reportOpenFailure(slotPath(slot));
        return Readiness::Failed;
    }
    if (!pack.required) {
        return Readiness::Ready;
    }
    const auto& s = *pack.required;
    if (dm.control_Version(s.Vers, s.SP, s.BB, s.BB_New)) {
        return Readiness::Ready;
    }
    // A stamp that could not be read because the database stopped answering (a server that went)
    // is no other stamp: passing the database over would count its part as done.
    if (!dm.IBDatabase1.connected() || !dm.IBDatabase1.ping()) {
        dm.logFailure("SELECT Version, ServicePack, Build FROM kv_Setting",
                      std::runtime_error("the database stopped answering"));
        return Readiness::Failed;
    }
    return Readiness::Skipped;
}

// Runs a part's operations in order; false when one of them ends the pack.
bool runPart(TDM1& dm, const Part& part) {
    for (const auto& operation : part) {
        const Flow flow = operation.run(dm);
        if (flow == Flow::EndPart) {
            return true;
        }
        if (flow == Flow::EndPack) {
            return false;
        }
    }
    return true;
}

bool partTimesOn() {
    const char* flag = std::getenv("ZURUZOD_PART_TIMES");
    return flag != nullptr && std::string(flag) == "1";
}

// With ZURUZOD_PART_TIMES=1 in the environment the frame tells on standard
// error how long each database part, the journal and the whole pack took.
class PartTimes {
public:
    explicit PartTimes(int number) : m_number(number), m_on(partTimesOn()) {}
    void lap(const std::string& what) {
        const auto now = Clock::now();
        if (m_on) {
            std::fprintf(stderr, "pack 8.00.%02d %s: %.3f s\n", m_number, what.c_str(), seconds(m_lap, now));
        }
        m_lap = now;
    }
    void total() const {
        if (m_on) {
            std::fprintf(stderr, "pack 8.00.%02d total: %.3f s\n", m_number, seconds(m_start, Clock::now()));
        }
    }

private:
    using Clock = std::chrono::steady_clock;
    static double seconds(Clock::time_point from, Clock::time_point to) {
        return std::chrono::duration<double>(to - from).count();
    }
    int m_number;
    bool m_on;
    Clock::time_point m_start = Clock::now();
    Clock::time_point m_lap = m_start;
};

} // namespace

void stepTime(int number, const std::string& what, double seconds) {
    if (partTimesOn()) {
        std::fprintf(stderr, "pack 8.00.%02d %s: %.3f s\n", number, what.c_str(), seconds);
    }
}

int weightOf(const Part& part) {
    return std::accumulate(part.begin(), part.end(), 0,
                           [](int sum, const Operation& operation) { return sum + operation.steps; });
}

int KolvoSP(const PackTable& pack) {
    return std::accumulate(pack.databases.begin(), pack.databases.end(), 0,
                           [](int sum, const PackDatabase& database) { return sum + weightOf(database.part); });
}

Reformats reformatsOf(const PackTable& pack) {
    Reformats reformats;
    for (const auto& database : pack.databases) {
        for (const auto& table : reformatsOf(database.part)) {
            ++reformats[database.slot][platform::upperAscii(table)];
        }
    }
    return reformats;
}

std::vector<std::string> reformatsOf(const Part& part) {
    std::vector<std::string> tables;
    for (const auto& operation : part) {
        tables.insert(tables.end(), operation.reformats.begin(), operation.reformats.end());
    }
    return tables;
}

bool runPack(TDM1& dm, const PackTable& pack) {
    PartTimes times(pack.number);
    for (const auto& database : pack.databases) {
        dm.CloseDataBase();
        platform::ui().databaseUnderWay(slotInfo(database.slot).name);
        bool goOn = true;
        try {
            const Readiness readiness = databaseReady(dm, pack, database.slot);
            if (readiness == Readiness::Ready) {
                dm.markProcessed(database.slot);
                goOn = runPart(dm, database.part);
            } else if (readiness == Readiness::Skipped) {
                inc_KolvoStep(weightOf(database.part));
            }
        } catch (...) {
            dm.CloseDataBase();
            throw;
        }
        dm.CloseDataBase();
        times.lap(slotInfo(database.slot).name);
        if (!goOn) {
            times.total();
            return false;
        }
    }
    platform::ui().databaseUnderWay("");
    enterPackPlace("journal", pack.number);
    const bool written = dm.fw_Write_Result(0, pack.number, KolvoSP(pack));
    times.lap("journal");
    times.total();
    return written;
}

void enterPackPlace(const char* what, int number) {
    char place[32];
    std::snprintf(place, sizeof place, "%s 8.00.%02d", what, number);
    platform::boundaryPlace(place);
}

bool runPackWrapper(int number, const std::function<bool(TDM1&)>& method) {
    KolvoStep = 0;
    enterPackPlace("pack", number);
    resetFirstFailure();
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
