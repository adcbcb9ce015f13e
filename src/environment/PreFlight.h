#pragma once

#include <functional>
#include <string>

namespace environment {

// What the pre-flight found: which database set is there, and every folder
// and file of a 7.12 installation (folders end with the separator).
struct TFiles712 {
    bool file7 = false;
    bool file8 = false;
    std::string PFVeskKalver7;
    std::string AliasOrders;
    std::string dirKalver;
    std::string dirKalverBase;
    std::string dirKalverOrders;
    std::string dirKalverSorvin;
    std::string dirKalverPellix;
    std::string filePrice;
    std::string fileSorvin;
    std::string fileBase;
    std::string fileConfig;
    std::string fileSystem;
    std::string FileGrelto;
    std::string fileOrders;
    std::string fileKladr;
    std::string fileKladrMain;
    std::string fileOrdersServer;
    std::string filePellix;
};

extern TFiles712 Files712;

// The current user may change the server's alias file: the process runs as root.
bool control_Admin();

// What the pre-flight asks of the machine it runs on; tests answer for a machine of their own.
struct PreFlightEnvironment {
    // Where the 7.12 server keeps its alias file when it is installed in its usual place;
    // looked at before the one that the 7.00 settings name.
    std::string fixedAliasFile712 = "/etc/firebird/2.5/aliases.conf";
    // Whether the user may change the server's alias file; asked only when it is to be changed.
    std::function<bool()> admin = control_Admin;
    // A look that changes nothing: the version-8 Orders alias that a conversion would add to the
    // server's alias file is not added; the server Orders database is taken where it would name it.
    bool lookOnly = false;
};

// The file in the version-8 folder that stands while the 7.12 files are copied into it: a set
// with it was left by a copy that did not finish, and counts as incomplete.
std::string copyMarkerPath();

// The pre-flight: the version-8 set, or else the 7.12 set of the 7.00 installation.
// False ends the start-up. Also sets kvSetting.KVFile.FileOrdersServer, adding the
// version-8 Orders alias to the server's alias file when a 7.12 server database is
// to be brought over; an alias file that cannot be rewritten throws std::runtime_error.
bool control_UpgradeFiles(const PreFlightEnvironment& machine);
// The 7.12 server Orders database named by the server's alias file, or empty.
std::string read_AliasOrders7(const PreFlightEnvironment& machine);

} // namespace environment
