#include "run/InstallationStatus.h"

#include "engine/DatabaseSlots.h"
#include "engine/EngineState.h"
#include "environment/DataBaseFiles.h"
#include "environment/DatabasePassword.h"
#include "environment/EventLog.h"
#include "environment/InstallCheck.h"
#include "environment/KvSetting.h"
#include "environment/PreFlight.h"
#include "packs/PackWrappers.h"
#include "platform/FileSystem.h"
#include "platform/NamedLock.h"
#include "platform/Registry.h"
#include "platform/UserInterface.h"
#include "run/FormatCheck.h"
#include "run/UpgradeRun.h"

#include <algorithm>
#include <climits>
#include <map>
#include <stdexcept>
#include <utility>

namespace run {
namespace {

using environment::kvSetting;

constexpr std::uintmax_t kMegabyte = 1024 * 1024;
// The lock that one run of either kind holds while it goes.
constexpr const char* kProgramLock = "zuruzod 8e";

// Keeps the boxes the reading would show and answers every question No, so that nothing is
// offered, restored or changed; the gauges and the run log have nothing to show.
class ListeningInterface : public platform::UserInterface {
public:
    explicit ListeningInterface(std::vector<std::string>& messages) : m_messages(messages) {}
    void showMessage(const std::string& text) override { m_messages.push_back(text); }
    bool askYesNo(const std::string& text) override {
        m_messages.push_back(text);
        return false;
    }
    platform::ScreenSize screenSize() override { return {1280, 900}; }
    void overallGaugeAdd(int) override {}
    void overallGaugeReset(int) override {}
    int overallGaugePosition() override { return 0; }
    void stepLabel(const std::string&) override {}
    void innerGaugeShow(int) override {}
    void innerGaugeNext() override {}
    void innerGaugeHide() override {}
    void runLogLine(const std::string&) override {}
    void processEvents() override {}

private:
    std::vector<std::string>& m_messages;
};

// Puts the interface in place for its lifetime and the one before back afterwards.
class InterfaceInPlace {
public:
    explicit InterfaceInPlace(platform::UserInterface& ui) : m_before(&platform::ui()) {
        platform::setUserInterface(&ui);
    }
    ~InterfaceInPlace() { platform::setUserInterface(m_before); }
    InterfaceInPlace(const InterfaceInPlace&) = delete;
    InterfaceInPlace& operator=(const InterfaceInPlace&) = delete;

private:
    platform::UserInterface* m_before;
};

std::string megabytes(std::uintmax_t bytes) {
    return std::to_string((bytes + kMegabyte - 1) / kMegabyte) + " MB";
}

bool readLocations(InstallationStatus& status) {
    status.unreadable = readInstallationLocations();
    if (!status.unreadable.empty()) {
        return false;
    }
    status.dataFolder = kvSetting.KVDir.dirKalver;
    status.programFolder = kvSetting.KVDir.PFVeskKalver8;
    status.installationNumber = environment::NumberFirm;
    if (environment::NumberFirm > 0) {
        status.databaseUser = environment::databaseUser(environment::NumberFirm);
    }
    return true;
}

// Every database of the set in the order of the journal, the 7.12 files too when they are the ones a run converts.
void lookAtDatabases(InstallationStatus& status, bool converts712) {
    for (const engine::Slot slot : engine::kJournalOrder) {
        const std::string path = engine::slotPath(slot);
        if (!path.empty()) {
            status.databases.push_back({engine::slotInfo(slot).name, path, false, engine::lookAtDatabase(path)});
        }
    }
    if (!converts712) {
        return;
    }
    for (const engine::Slot slot : engine::kJournalOrder) {
        const std::string path = engine::slotPath712(slot);
        if (!path.empty()) {
            status.databases.push_back({engine::slotInfo(slot).name, path, true, engine::lookAtDatabase(path)});
        }
    }
}

engine::Slot slotNamed(const std::string& name) {
    for (const engine::SlotInfo& info : engine::allSlots()) {
        if (name == info.name) {
            return info.slot;
        }
    }
    throw std::logic_error("no database slot " + name);
}

const engine::DatabaseLook* lookOf(const InstallationStatus& status, const std::string& path) {
    const auto found = std::find_if(status.databases.begin(), status.databases.end(),
                                    [&](const DatabaseStatus& database) { return database.path == path; });
    return found == status.databases.end() ? nullptr : &found->look;
}

void detect(InstallationStatus& status) {
    std::map<std::string, engine::DatabaseLook> others;
    readStampsAndDecide(status.state, [&](const std::string& path) -> std::optional<std::array<int, 3>> {
        const engine::DatabaseLook* look = lookOf(status, path);
        if (!look) {
            look = &others.emplace(path, engine::lookAtDatabase(path)).first->second;
        }
        if (!look->stamp) {
            return std::nullopt;
        }
        return std::array{look->stamp->Version, look->stamp->ServicePack, look->stamp->Build};
    });
}

// The packs in the order the run takes them, from the lowest (ServicePack, Build) of one
// database of the version-8 set as the run reads it between packs.
void planPacks(InstallationStatus& status) {
    if (!status.state.ready) {
        return;
    }
    std::pair lowest{INT_MAX, INT_MAX};
    for (const engine::Slot slot : engine::kMinimumStampOrder) {
        const engine::DatabaseLook* look = lookOf(status, engine::slotPath(slot));
        if (look && look->stamp) {
            lowest = std::min(lowest, std::pair{look->stamp->ServicePack, look->stamp->Build});
        }
    }
    const auto all = packs::allPacks();
    for (const int number : packsToRun(status.state.minima.MinVersion, lowest.first, lowest.second)) {
        status.packs.push_back({number, all.at(static_cast<size_t>(number)).KolvoSP});
    }
}

PreRunCheck noUnfinishedRun() {
    const std::optional<RestorePoint> point = readMarker();
    if (!point) {
        return {"unfinished-run", true, "no unfinished run"};
    }
    return {"unfinished-run", false,
            "a previous run did not finish (" + markerPath() + "); its backup is " + point->folder +
                ": upgrade-headless run --restore puts every database back, or remove the marker to go on"};
}

PreRunCheck noRunUnderWay() {
    if (platform::NamedLock::isHeldElsewhere(kProgramLock)) {
        return {"run-under-way", false,
                "another run of the upgrade (the program or upgrade-headless) holds " +
                    platform::NamedLock::fileOf(kProgramLock)};
    }
    return {"run-under-way", true, "no other run under way"};
}

// The databases a run changes open, and those that another process holds open reach it through a server.
std::vector<PreRunCheck> databaseChecks(const InstallationStatus& status, bool converts712) {
    std::string unopened;
    std::string held;
    for (const DatabaseStatus& database : status.databases) {
        if (database.release712 != converts712 || !database.look.present) {
            continue;
        }
        if (!database.look.opens) {
            unopened += (unopened.empty() ? "" : "; ") + database.path + ": " + database.look.problem;
        }
        if (database.look.heldElsewhere) {
            held += (held.empty() ? "" : ", ") + database.path;
        }
    }
    std::vector<PreRunCheck> checks;
    checks.push_back({"databases-open", unopened.empty(),
                      unopened.empty() ? "every database that is there opens" : "cannot be opened: " + unopened});
    checks.push_back({"held-by-server", true,
                      held.empty() ? "no database is held by another process"
                                   : "held by another process (a Firebird server, or a running program): " + held});
    if (!held.empty() && !unopened.empty()) {
        checks.back().passed = false;
    }
    return checks;
}

// No table that the packs ahead alter would pass Firebird's limit of record formats.
PreRunCheck formatRoom(const InstallationStatus& status, bool converts712) {
    std::string over;
    for (const DatabaseStatus& database : status.databases) {
        const auto& look = database.look;
        if (database.release712 != converts712 || !look.stamp) {
            continue;
        }
        const engine::Slot slot = slotNamed(database.name);
        for (const TableHeadroom& table : headroomOf(slot, database.path, look.stamp->Version, look.stamp->ServicePack,
                                                     look.stamp->Build, look.tableFormats)) {
            if (table.exceedsLimit()) {
                over += (over.empty() ? "" : "; ") + database.path + ": " + table.table + " at " +
                        std::to_string(table.formats) + " formats, the packs add " + std::to_string(table.alterations);
            }
        }
    }
    if (over.empty()) {
        return {"format-limit", true,
                "no table would pass Firebird's limit of " + std::to_string(engine::kMaxTableFormats) +
                    " record formats"};
    }
    return {"format-limit", false,
            "past Firebird's limit of " + std::to_string(engine::kMaxTableFormats) + " record formats: " + over +
                " (a backup and restore with gbak starts every table at one format again)"};
}

// The backup of the set, and before it the copy of the 7.12 files when the run converts them.
PreRunCheck backupRoom(const InstallationStatus& status, bool converts712) {
    BackupSpace space = backupSpace();
    if (converts712) {
        space.needed = 0;
        for (const DatabaseStatus& database : status.databases) {
            if (database.release712 && database.look.present) {
                space.needed += 2 * platform::fileSize(database.path);
            }
        }
    }
    return {"backup-space", space.enough(),
            std::string(converts712 ? "the backup and the copy of the 7.12 files need " : "the backup needs ") +
                megabytes(space.needed + space.needed / 20) + ", " + megabytes(space.available) + " free in " +
                space.folder};
}

} // namespace

std::string readInstallationLocations() {
    const environment::EventLogPause nothingRecorded;
    if (!environment::control_Install("h")) {
        return "the installation key SOFTWARE\\Vesk\\Калвер\\8.00 with DirProgram, DirBase, typeInstall and a numeric "
               "NumberFirm must be in " +
               platform::RegistryStore::fileOf(platform::RegistryRoot::LocalMachine) + ", and both folders must exist";
    }
    if (!environment::read_DataBaseFiles()) {
        return "the locations of the databases cannot be formed";
    }
    engine::fileSorvin = kvSetting.KVDir.dirKalver + "Sorvin.fdb";
    return {};
}

bool InstallationStatus::runPossible() const {
    return readable() && state.ready &&
           std::all_of(checks.begin(), checks.end(), [](const PreRunCheck& check) { return check.passed; });
}

InstallationStatus readInstallationStatus() {
    InstallationStatus status;
    const environment::EventLogPause nothingRecorded;
    ListeningInterface listening(status.messages);
    const InterfaceInPlace inPlace(listening);
    if (!readLocations(status)) {
        return status;
    }
    environment::PreFlightEnvironment machine;
    machine.lookOnly = true;
    const bool preFlight = environment::control_UpgradeFiles(machine);
    const bool converts712 = !environment::Files712.file8 && environment::Files712.file7;
    lookAtDatabases(status, converts712);
    for (const DatabaseStatus& database : status.databases) {
        if (database.look.copyFailed) {
            status.unreadable = database.path + ": " + database.look.problem;
            return status;
        }
    }
    detect(status);
    planPacks(status);
    status.checks.push_back(noUnfinishedRun());
    status.checks.push_back(noRunUnderWay());
    status.checks.push_back({"set-complete", preFlight && (environment::Files712.file8 || converts712),
                             environment::Files712.file8 ? "the version-8 set is complete"
                             : converts712 ? "the version-8 set is incomplete; a run copies the 7.12 files first"
                                           : "the version-8 set is incomplete (Base.fdb, System.fdb, Orders.fdb and "
                                             "Price.fdb must be there) and no 7.12 installation to convert was found"});
    for (PreRunCheck& check : databaseChecks(status, converts712)) {
        status.checks.push_back(std::move(check));
    }
    status.checks.push_back(formatRoom(status, converts712));
    status.checks.push_back(backupRoom(status, converts712));
    return status;
}

} // namespace run
