#pragma once

#include "engine/DataModule.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace engine {

// The stamp a database must carry for a pack to touch it (control_Version's arguments).
struct RequiredStamp {
    int Vers = 8;
    int SP = 0;
    int BB = 0;
    int BB_New = -1;
};

// One database of a pack: where it is, whether the server Orders check gates
// it, how many steps its part counts, and the part itself.
struct PackDatabase {
    std::function<std::string()> path;
    bool gatedByServer = false;
    int weight = 0;
    std::function<void(TDM1&)> part;
};

// A service pack as a table: its number N (the stamp it writes is 0, N), the
// stamp it requires (none for the conversion), its expected step total and its
// databases in the order it visits them.
struct PackTable {
    int number = 0;
    std::optional<RequiredStamp> required;
    int KolvoSP = 0;
    std::vector<PackDatabase> databases;
};

// The skeleton every pack follows: each database that opens (and carries the
// required stamp) gets its part, every other one counts its weight; then the
// journal decides. Returns the result of fw_Write_Result.
bool runPack(TDM1& dm, const PackTable& pack);

// Runs a pack method the way the wizard does: the step counter reset, events
// 402 (with the pack's code) and 403 on success, a module made for the pack
// and freed afterwards, also when the method throws.
bool runPackWrapper(int number, const std::function<bool(TDM1&)>& method);

// The inner gauge of a long step.
void gauge2_Show(int Value);
void gauge2_Next();
void gauge2_Hide();

} // namespace engine
