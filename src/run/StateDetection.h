#pragma once

#include "environment/KvSetting.h"
#include "run/Minima.h"
#include "run/StateDecision.h"

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

// Reads every database's stamp, the version-8 set first and the 7.12 set of the
// pre-flight when the first is incomplete, and decides. The program's own version
// is read into UpgradeInfo; sets fileSorvin and FileINI as the wizard does.
DetectedState detectState(environment::TProgramInfo& UpgradeInfo);

} // namespace run
