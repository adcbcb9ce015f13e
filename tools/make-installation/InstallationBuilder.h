#pragma once

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tools {

enum class Release { V8, V712 };

struct Stamp {
    int version = 8;
    int servicePack = 0;
    int build = 0;
};

// What an installation should look like. Database names are the file names
// without ".fdb": Base, Config, Orders, OrdersServer, Sorvin, Price, Pellix,
// Grelto, System, and for release 7.12 also Kladr and Kladr_.
struct InstallationSpec {
    std::string root;
    Release release = Release::V8;
    // The schema of the databases, when it is not the release's own (a 7.12 set
    // copied into the version-8 folder).
    std::optional<Release> schema;
    int numberFirm = 12;
    std::string typeInstall = "h";
    // Stamp of every stamped database; 8.0.0 or 7.12.0 when not given.
    std::optional<Stamp> stamp;
    std::map<std::string, Stamp> stampOf;
    std::set<std::string> omit;
    // The 7.00 installation keys; always written for release 7.12.
    bool keys700 = false;
    // The Trellan key of the user store with its BasePath800 value.
    std::optional<std::string> trellanBasePath800;
    // Above 0: the databases also get generated rows in this proportion (1 is a large
    // installation); never kept in the template cache.
    double scale = 0;
    // Tables to bring to a number of record formats (Firebird allows 255), as "TABLE", in
    // every database that has it, or "NAME.TABLE"; by ALTERs of a column made and dropped again.
    std::map<std::string, int> formats;
    // A folder of ready-made databases to copy from instead of creating each
    // one anew (tests build hundreds); empty to always create.
    std::string templateCache;
};

// Where the parts of a built installation lie (folders end with "/").
struct InstallationLayout {
    std::string root;
    std::string machineConfig;          // XDG_CONFIG_DIRS
    std::string userConfig;             // XDG_CONFIG_HOME
    std::string programDir;             // DirProgram
    std::string dataRoot;               // DirBase
    std::string kalver800;              // the version-8 databases
    std::string kalver700;              // the 7.12 data root's Kalver700 folder
    std::string program700Dir;          // DirProgram of 7.00
    std::string firebirdDir;            // DirectoryFirebird, holding aliases.conf
    std::string infoDir;                // the event log's folder
    std::vector<std::string> databases; // every database file made

    // "NAME=value" lines that point a program at the installation.
    std::vector<std::pair<std::string, std::string>> environment() const;
};

// The databases of a release in the order they are made.
std::vector<std::string> databaseNames(Release release);
// The path a database of the release takes in the layout.
std::string databasePath(const InstallationLayout& layout, Release release, const std::string& name);

// Hears what a long build is doing.
using Progress = std::function<void(const std::string& line)>;

// Lays out a complete installation; throws std::runtime_error on failure.
InstallationLayout buildInstallation(const InstallationSpec& spec, const Progress& progress = {});

// A fingerprint of every schema and data script the builder reads: it changes
// whenever the databases it lays out would.
std::string schemaFingerprint();

// Executes an SQL script on a database, as the database's owner.
void runScript(const std::string& database, int numberFirm, const std::string& script);

} // namespace tools
