#pragma once

#include "run/RestorePoint.h"
#include "run/StandardPacks.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace run {

enum class RunOutcome {
    Installed,        // every pack the stamps called for was installed
    SetUnopenable,    // a database of the set would not open; nothing was changed
    FormatLimit,      // a table would pass Firebird's limit of record formats; nothing was changed
    BackupFailed,     // the databases could not be copied first; nothing was changed
    ConversionFailed, // 8.00.00 failed: "(01)"
    StampsUnreadable, // 8.00.00 ran but a stamp cannot be read afterwards: "(02)"
    PackFailed,       // a pack 8.00.01 to 8.00.07 failed
};

// What the run asks of the window besides the narrow interface.
struct RunHooks {
    // The picture shown before a 7.12 conversion; returns when its animation is over.
    std::function<void()> showPicture = [] {};
    // A pause that lets the window repaint.
    std::function<void(int milliseconds)> pause = [](int) {};
    // After a failed run: whether to put every database back from the backup in the folder.
    std::function<bool(const std::string& folder)> askRestore;
};

// The packs of one upgrade run: the conversion when the lowest version is 7,
// then each pack 8.00.0N that the lowest stamp calls for, with the overall
// gauge moved by the weight of every pack passed over.
class UpgradeRun {
public:
    UpgradeRun(std::vector<PackStep> packs, RunHooks hooks);

    // Starts the run log and the gauge, then installs the packs.
    RunOutcome installPacks(int MinVersion);
    // The lowest ServicePack and Build as last read.
    int c() const { return m_c; }
    int vbb() const { return m_vbb; }
    // The overall gauge's scale for this run's packs.
    int scale() const { return m_scale; }
    // The backup taken before the first change, once it was made.
    const std::optional<RestorePoint>& restorePoint() const { return m_restorePoint; }

    // Whether pack N is called for by the lowest ServicePack c and Build vbb.
    static bool packRequired(int N, int c, int vbb);

private:
    RunOutcome convert712();
    bool installPack(const PackStep& pack);
    static bool sorvinAwaitsTheMove();
    void removeSorvinFile();
    void StepGauge(int Value);
    void ResetRun();

    std::vector<PackStep> m_packs;
    RunHooks m_hooks;
    int m_scale = 0;
    int m_c = 0;
    int m_vbb = 0;
    std::optional<RestorePoint> m_restorePoint;
};

// The numbers of the packs a run installs, in order, from the lowest version and the lowest
// ServicePack c and Build vbb: 8.00.00 when the version is 7, then each pack that the stamps
// call for as the packs before it leave them.
std::vector<int> packsToRun(int MinVersion, int c, int vbb);

// "01" to "07".
std::string twoDigits(int number);

} // namespace run
