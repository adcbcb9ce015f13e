#pragma once

#include "engine/DataModule.h"
#include "engine/DatabaseSlots.h"

#include <functional>
#include <map>
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

// What a step of a database part tells the frame when it is done.
enum class Flow {
    Next,    // go on with the part's next step
    EndPart, // the rest of this database's part does not run; the pack goes on
    EndPack, // the pack ends at once with False, without its closing journal
};

// One row of a database part: the steps it counts on its normal path, what it does, and
// the tables it gives a new record format (a name for every such ALTER: Firebird keeps at
// most 255 formats a table, so a run checks them before it starts).
struct Operation {
    int steps = 0;
    std::function<Flow(TDM1&)> run;
    std::vector<std::string> reformats = {};
};

// A database part as the table of its operations; an empty part does nothing.
using Part = std::vector<Operation>;

// The steps a part counts when all of its operations reach their goal.
int weightOf(const Part& part);

// One database of a pack and the part the pack runs on it. The server Orders
// database is visited only when the server's alias names a file that exists.
struct PackDatabase {
    Slot slot;
    Part part;
};

// A service pack as a table: its number N (the stamp it writes is 0, N), the
// stamp it requires (none for the conversion), and its databases in the order
// it visits them.
struct PackTable {
    int number = 0;
    std::optional<RequiredStamp> required;
    std::vector<PackDatabase> databases;
};

// The pack's expected step total: the weights of all its database parts.
int KolvoSP(const PackTable& pack);

// How many new record formats a pack gives each table (upper case) of each database, at most.
using Reformats = std::map<Slot, std::map<std::string, int>>;
Reformats reformatsOf(const PackTable& pack);
// The tables a part's operations give new formats, for a row that runs the part itself.
std::vector<std::string> reformatsOf(const Part& part);

// The skeleton every pack follows: each database that opens (and carries the
// required stamp) gets its part, every other one counts its weight; then the
// journal decides. Returns the result of fw_Write_Result, or False at once when
// a part ends the pack.
bool runPack(TDM1& dm, const PackTable& pack);

// Runs a pack method the way the wizard does: the step counter reset, events
// 402 (with the pack's code) and 403 on success, a module made for the pack
// and freed afterwards, also when the method throws.
bool runPackWrapper(int number, const std::function<bool(TDM1&)>& method);

// "pack 8.00.NN" or "journal 8.00.NN": the place of the boundaries that follow, for the boundary map.
void enterPackPlace(const char* what, int number);

// With ZURUZOD_PART_TIMES=1 in the environment, tells on standard error how long
// one long step of pack `number` took, as the frame tells the times of the parts.
void stepTime(int number, const std::string& what, double seconds);

// The inner gauge of a long step.
void gauge2_Show(int Value);
void gauge2_Next();
void gauge2_Hide();

} // namespace engine
