#pragma once

#include "environment/KvSetting.h"
#include "run/Minima.h"
#include "run/StateDecision.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace run {

// The wizard's first page with the way forward, when there is one.
enum class StartPage {
    Start,  // "Начало": the verdict, and the agreement next
    Choice, // "Вариант установки": leave, or copy the 7.12 files first
};

// What the wizard finds when it opens: the lines of its verdict, the lowest
// stamp over the databases read, and whether and where the upgrade may go on.
struct DetectedState {
    std::vector<std::string> lines;
    Minima minima;
    bool ready = false;
    StartPage page = StartPage::Start;
    // The program's own version could not be read; nothing may be done.
    bool versionUnreadable = false;
};

// One database's line: its file name, ": " padded to 16 characters, then its stamp
// as "сборка (8.00.05)".
std::string stampLine(const std::string& FileName, int Ver, int SP, int BB);

// The stamp (Version, ServicePack, Build) of one database; empty when it cannot be read.
using StampReader = std::function<std::optional<std::array<int, 3>>(const std::string& path)>;

// From the line "База: " on: the stamps of the version-8 set, and of the 7.12 set of the
// pre-flight when the first is incomplete, each read by the reader, the current build and
// the verdict, appended to the state.
void readStampsAndDecide(DetectedState& state, const StampReader& read);

// Reads every database's stamp, the version-8 set first and the 7.12 set of the
// pre-flight when the first is incomplete, and decides. The program's own version
// is read into UpgradeInfo; sets fileSorvin and FileINI as the wizard does.
DetectedState detectState(environment::TProgramInfo& UpgradeInfo);

} // namespace run
