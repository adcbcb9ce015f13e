#include "InstallationBuilder.h"

#include "SchemaScript.h"
#include "engine/firebird/Connection.h"
#include "engine/firebird/Query.h"
#include "engine/firebird/SqlText.h"
#include "engine/firebird/Transaction.h"
#include "environment/DatabasePassword.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/Text.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <unistd.h>

namespace tools {
namespace {

const std::string kInstallKey = "SOFTWARE\\Vesk\\Калвер\\8.00";
const std::string kInstall700Key = "SOFTWARE\\WOW6432Node\\Vesk\\Калвер\\7.00";
const std::string kTrellanKey = "SOFTWARE\\Vesk\\trellan";

Release schemaOf(const InstallationSpec& spec) {
    return spec.schema.value_or(spec.release);
}

bool isAddressDatabase(const std::string& name) {
    return name == "Kladr" || name == "Kladr_";
}

const std::string kSchemaFolder = std::string(ZURUZOD_RESOURCES) + "/schema/";

// The scripts that make up a database's application tables and rows, the same in both releases:
// release 8 at 8.0.0 is a converted 7.12 set, whose packs have not reshaped anything yet.
std::vector<std::string> applicationParts(const std::string& name) {
    if (isAddressDatabase(name)) {
        return {"Kladr"};
    }
    if (name == "Base" || name == "Config") {
        return {"catalogue", "catalogue-data", name};
    }
    if (name == "OrdersServer") {
        return {"Orders"};
    }
    return {name};
}

std::string readSchema(const std::string& file) {
    std::string text;
    if (platform::fileExists(file) && !platform::readWholeFile(file, text)) {
        throw std::runtime_error("cannot read the schema " + file);
    }
    return text;
}

// The stamp table, and from release 8 on the journal.
std::string commonScript(Release release) {
    return readSchema(kSchemaFolder + (release == Release::V8 ? "v8/" : "v712/") + "common.sql");
}

std::string applicationScript(const std::string& name) {
    std::string script;
    for (const auto& part : applicationParts(name)) {
        script += "\n" + readSchema(kSchemaFolder + "v712/" + part + ".sql");
    }
    return script;
}

// The generated rows of a scaled installation, with the factor put in for @SCALE@.
std::string scaleScript(const std::string& name, double scale) {
    char factor[32];
    std::snprintf(factor, sizeof factor, "%.6f", scale);
    std::string script;
    for (const auto& part : applicationParts(name)) {
        script += "\n" + readSchema(kSchemaFolder + "scale/" + part + ".sql");
    }
    for (auto at = script.find("@SCALE@"); at != std::string::npos; at = script.find("@SCALE@", at)) {
        script.replace(at, 7, factor);
    }
    return script;
}

std::vector<std::string> ownerLogin(int numberFirm) {
    if (numberFirm < 1) {
        return {};
    }
    return {"user_name=" + environment::databaseUser(numberFirm)};
}

void execute(engine::fb::Connection& connection, const std::string& script) {
    engine::fb::Transaction transaction(connection, engine::fb::Transaction::writeParameters());
    for (const auto& statement : splitScript(script)) {
        engine::fb::Query query(transaction);
        query.SQL = {statement};
        query.execute();
        query.close();
        // DDL must be committed before later statements can use what it made.
        transaction.commit();
    }
    transaction.commit();
}

Stamp stampFor(const InstallationSpec& spec, const std::string& name) {
    if (auto it = spec.stampOf.find(name); it != spec.stampOf.end()) {
        return it->second;
    }
    if (spec.stamp) {
        return *spec.stamp;
    }
    return schemaOf(spec) == Release::V8 ? Stamp{8, 0, 0} : Stamp{7, 12, 0};
}

std::string fingerprint(const std::string& text) {
    std::uint64_t hash = 1469598103934665603ull;
    for (unsigned char c : text) {
        hash = (hash ^ c) * 1099511628211ull;
    }
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash));
    return digits;
}

// Scaled databases made so far in one build, by the fingerprint of their script: databases
// with the same script (Orders and the server's Orders) get the same rows, so the rows are
// generated once and the file copied.
using ScaledDatabases = std::map<std::string, std::string>;

void createDatabase(const InstallationSpec& spec, const std::string& name, const std::string& path,
                    ScaledDatabases& scaled, const Progress& progress) {
    std::string script;
    if (!isAddressDatabase(name)) {
        script += commonScript(schemaOf(spec));
        const Stamp s = stampFor(spec, name);
        script += "\nINSERT INTO kv_Setting (Version, ServicePack, Build) VALUES (" + std::to_string(s.version) + ", " +
                  std::to_string(s.servicePack) + ", " + std::to_string(s.build) + ");\n";
    }
    script += applicationScript(name);
    const std::string key = fingerprint(std::to_string(spec.numberFirm) + "\n" + script);

    if (spec.scale > 0) {
        if (const auto made = scaled.find(key); made != scaled.end() && platform::copyFile(made->second, path, false)) {
            return;
        }
    }
    const std::string cached =
        spec.templateCache.empty() ? std::string() : platform::withSeparator(spec.templateCache) + key + ".fdb";
    if (cached.empty() || !platform::copyFile(cached, path, false)) {
        {
            engine::fb::Connection connection;
            engine::fb::CreateOptions options;
            options.forcedWrites = false;
            connection.create(path, ownerLogin(spec.numberFirm), options);
            execute(connection, script);
        }
        if (!cached.empty() && platform::createDirectories(spec.templateCache)) {
            // Written beside and renamed, so a concurrent test never copies half a file.
            const std::string partial = cached + ".part" + std::to_string(::getpid());
            if (platform::copyFile(path, partial, true)) {
                std::rename(partial.c_str(), cached.c_str());
            }
            std::remove(partial.c_str());
        }
    }
    const std::string rows = spec.scale > 0 ? scaleScript(name, spec.scale) : std::string();
    if (!splitScript(rows).empty()) {
        const auto start = std::chrono::steady_clock::now();
        runScript(path, spec.numberFirm, rows);
        scaled[key] = path;
        if (progress) {
            const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            char seconds[32];
            std::snprintf(seconds, sizeof seconds, "%.1f", took.count());
            progress("rows of " + path + " generated in " + seconds + " s");
        }
    }
}

int tableFormat(const std::string& path, int numberFirm, const std::string& table) {
    engine::fb::Connection connection;
    connection.attach(path, ownerLogin(numberFirm));
    engine::fb::Transaction read(connection, engine::fb::Transaction::readParameters());
    engine::fb::Query format(read);
    format.SQL = {"SELECT RDB$FORMAT FROM RDB$RELATIONS", "WHERE RDB$RELATION_NAME = :p0"};
    format.Params = {platform::upperAscii(table)};
    format.open();
    const int at = format.eof() ? 0 : static_cast<int>(format.fieldAsInteger(0));
    format.close();
    read.commit();
    return at;
}

// Each ALTER in a transaction of its own makes one format: a scratch column is added,
// widened and dropped again, so the table keeps its columns.
void raiseFormats(const std::string& path, int numberFirm, const std::string& table, int formats) {
    const int at = tableFormat(path, numberFirm, table);
    const int alterations = formats - at;
    if (alterations == 0) {
        return;
    }
    if (alterations < 2 || formats > 255) {
        throw std::runtime_error("the table " + table + " of " + path + " is at " + std::to_string(at) +
                                 " formats and can be brought to 2 or more above that, up to 255, not to " +
                                 std::to_string(formats));
    }
    const std::string alter = "ALTER TABLE " + table + " ";
    std::string script = alter + "ADD ZURUZOD_FORMATS VARCHAR(1);\n";
    for (int width = 2; width < alterations; ++width) {
        script += alter + "ALTER COLUMN ZURUZOD_FORMATS TYPE VARCHAR(" + std::to_string(width) + ");\n";
    }
    script += alter + "DROP ZURUZOD_FORMATS;\n";
    runScript(path, numberFirm, script);
}

void raiseAllFormats(const InstallationSpec& spec, const InstallationLayout& layout) {
    for (const auto& [item, formats] : spec.formats) {
        const auto dot = item.find('.');
        const std::string table = dot == std::string::npos ? item : item.substr(dot + 1);
        engine::fb::plainIdentifier(table);
        bool found = false;
        for (const auto& name : databaseNames(spec.release)) {
            const std::string path = databasePath(layout, spec.release, name);
            if ((dot != std::string::npos && item.substr(0, dot) != name) || spec.omit.count(name) ||
                tableFormat(path, spec.numberFirm, table) == 0) {
                continue;
            }
            raiseFormats(path, spec.numberFirm, table, formats);
            found = true;
        }
        if (!found) {
            throw std::runtime_error("no database has a table " + item + " to bring to " + std::to_string(formats) +
                                     " formats");
        }
    }
}

// Every database named in the request is one of the release's.
void checkNames(const InstallationSpec& spec) {
    const auto names = databaseNames(spec.release);
    const auto known = [&](const std::string& name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    for (const auto& name : spec.omit) {
        if (!known(name)) {
            throw std::runtime_error("there is no database " + name + " to omit");
        }
    }
    for (const auto& [name, stamp] : spec.stampOf) {
        if (!known(name) || isAddressDatabase(name)) {
            throw std::runtime_error("there is no stamped database " + name);
        }
    }
}

void writeRegistry(const InstallationSpec& spec, const InstallationLayout& layout) {
    const platform::RegistryStore machine(layout.machineConfig + "Vesk/registry.ini");
    const platform::RegistryStore user(layout.userConfig + "Vesk/registry.ini");
    machine.writeString(kInstallKey, "DirProgram", layout.programDir);
    machine.writeString(kInstallKey, "DirBase", layout.dataRoot);
    machine.writeString(kInstallKey, "typeInstall", spec.typeInstall);
    machine.writeInteger(kInstallKey, "NumberFirm", spec.numberFirm);
    if (spec.keys700 || spec.release == Release::V712) {
        machine.writeString(kInstall700Key, "DirBase", layout.dataRoot);
        machine.writeString(kInstall700Key, "DirProgram", layout.program700Dir);
    }
    if (spec.trellanBasePath800) {
        user.writeString(kTrellanKey, "BasePath800", *spec.trellanBasePath800);
    } else {
        platform::replaceFileContents(user.file(), "");
    }
}

void writeSettingsFiles(const InstallationSpec& spec, const InstallationLayout& layout) {
    const std::string kvIni = "[Server]\nDirectoryFirebird=" + layout.firebirdDir + "\n";
    platform::replaceFileContents(layout.programDir + "kv.ini", kvIni);
    platform::replaceFileContents(layout.program700Dir + "kv.ini", kvIni);
    const std::string n = std::to_string(spec.numberFirm);
    std::string aliases = "# Firebird database aliases\n";
    if (spec.release == Release::V8) {
        aliases += "kvServerOrders_8_" + n + " = " + databasePath(layout, Release::V8, "OrdersServer") + "\n";
    } else {
        aliases += "kvServerOrders_" + n + " = " + databasePath(layout, Release::V712, "OrdersServer") + "\n";
    }
    platform::replaceFileContents(layout.firebirdDir + "aliases.conf", aliases);
}

} // namespace

std::vector<std::pair<std::string, std::string>> InstallationLayout::environment() const {
    return {{"XDG_CONFIG_DIRS", machineConfig}, {"XDG_CONFIG_HOME", userConfig}};
}

std::vector<std::string> databaseNames(Release release) {
    if (release == Release::V8) {
        return {"Base", "Config", "Orders", "OrdersServer", "Sorvin", "Price", "Pellix", "Grelto", "System"};
    }
    return {"Base",   "Config",       "System", "Grelto", "Kladr", "Kladr_",
            "Orders", "OrdersServer", "Sorvin", "Price",  "Pellix"};
}

std::string databasePath(const InstallationLayout& layout, Release release, const std::string& name) {
    if (release == Release::V8) {
        return layout.kalver800 + name + ".fdb";
    }
    if (name == "Orders") {
        return layout.kalver700 + "Orders/Orders.fdb";
    }
    if (name == "OrdersServer") {
        return layout.root + "Server712/Orders.fdb";
    }
    if (name == "Sorvin" || name == "Price") {
        return layout.kalver700 + "Sorvin/" + name + ".fdb";
    }
    if (name == "Pellix") {
        return layout.kalver700 + "Pellix/Pellix.fdb";
    }
    return layout.kalver700 + "Base/" + name + ".fdb";
}

InstallationLayout buildInstallation(const InstallationSpec& spec, const Progress& progress) {
    if (spec.root.empty()) {
        throw std::runtime_error("no folder was given for the installation");
    }
    checkNames(spec);
    InstallationLayout layout;
    // The registry and the alias file hold whole paths, to be read from any folder.
    std::error_code unplaced;
    const auto root = std::filesystem::absolute(spec.root, unplaced);
    if (unplaced) {
        throw std::runtime_error("cannot tell where the folder " + spec.root + " is: " + unplaced.message());
    }
    layout.root = platform::withSeparator(root.lexically_normal().string());
    layout.machineConfig = layout.root + "xdg-machine/";
    layout.userConfig = layout.root + "xdg-user/";
    layout.programDir = layout.root + "Program/";
    layout.program700Dir = layout.root + "Program700/";
    layout.firebirdDir = layout.root + "Firebird/";
    layout.dataRoot = layout.root + "Data/";
    layout.kalver800 = layout.dataRoot + "Kalver800/";
    layout.kalver700 = layout.dataRoot + "Kalver700/";
    layout.infoDir = layout.dataRoot + "Версия/800/Info/";

    for (const auto& folder : {layout.machineConfig, layout.userConfig, layout.programDir, layout.program700Dir,
                               layout.firebirdDir, layout.dataRoot, layout.infoDir, layout.kalver800}) {
        if (!platform::createDirectories(folder)) {
            throw std::runtime_error("cannot create the folder " + folder);
        }
    }
    // An installation that is there already is left exactly as it is.
    for (const auto& name : databaseNames(spec.release)) {
        const std::string path = databasePath(layout, spec.release, name);
        if (!spec.omit.count(name) && platform::fileExists(path)) {
            throw std::runtime_error("the database " + path + " exists already");
        }
    }
    writeRegistry(spec, layout);
    writeSettingsFiles(spec, layout);

    ScaledDatabases scaled;

    for (const auto& name : databaseNames(spec.release)) {
        const std::string path = databasePath(layout, spec.release, name);
        if (spec.omit.count(name)) {
            continue;
        }
        const std::string folder = path.substr(0, path.rfind('/') + 1);
        if (!platform::createDirectories(folder)) {
            throw std::runtime_error("cannot create the folder " + folder);
        }
        try {
            createDatabase(spec, name, path, scaled, progress);
        } catch (const std::exception& error) {
            throw std::runtime_error("cannot create the database " + path + ": " + error.what());
        }
        layout.databases.push_back(path);
    }
    raiseAllFormats(spec, layout);
    return layout;
}

std::string schemaFingerprint() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(std::string(ZURUZOD_RESOURCES) + "/schema")) {
        if (entry.is_regular_file()) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    std::string all;
    for (const auto& file : files) {
        all += file.string() + "\n" + readSchema(file.string());
    }
    return fingerprint(all);
}

void runScript(const std::string& database, int numberFirm, const std::string& script) {
    engine::fb::Connection connection;
    connection.attach(database, ownerLogin(numberFirm));
    execute(connection, script);
}

} // namespace tools
