#include "StatusCommand.h"

#include "run/InstallationStatus.h"
#include "run/UpgradeRun.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <string>

namespace headless {
namespace {

constexpr int kRunPossible = 0;
constexpr int kNoRun = 1;
constexpr int kUnreadable = 2;

std::string packName(int number) {
    return "8.00." + run::twoDigits(number);
}

std::string stampText(const engine::Stamp& stamp) {
    return std::to_string(stamp.Version) + "." + std::to_string(stamp.ServicePack) + "." + std::to_string(stamp.Build);
}

// The text as a JSON string; text that is no valid UTF-8 is passed through byte for byte.
std::string quoted(const std::string& text) {
    std::string result = "\"";
    for (const unsigned char c : text) {
        switch (c) {
        case '"':
            result += "\\\"";
            break;
        case '\\':
            result += "\\\\";
            break;
        case '\n':
            result += "\\n";
            break;
        case '\r':
            result += "\\r";
            break;
        case '\t':
            result += "\\t";
            break;
        default:
            if (c < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                result += escaped;
            } else {
                result += static_cast<char>(c);
            }
        }
    }
    return result + "\"";
}

const char* boolean(bool value) {
    return value ? "true" : "false";
}

// Items joined by commas.
class List {
public:
    explicit List(std::ostream& out) : m_out(out) {}
    std::ostream& item() {
        m_out << (m_first ? "" : ",");
        m_first = false;
        return m_out;
    }

private:
    std::ostream& m_out;
    bool m_first = true;
};

void printDatabaseJson(std::ostream& out, const run::DatabaseStatus& database) {
    const auto& look = database.look;
    out << "{\"name\":" << quoted(database.name) << ",\"path\":" << quoted(database.path)
        << ",\"release\":" << quoted(database.release712 ? "7.12" : "8") << ",\"present\":" << boolean(look.present)
        << ",\"opens\":" << boolean(look.opens) << ",\"heldElsewhere\":" << boolean(look.heldElsewhere)
        << ",\"problem\":" << quoted(look.problem) << ",\"stamp\":";
    if (look.stamp) {
        out << "{\"version\":" << look.stamp->Version << ",\"servicePack\":" << look.stamp->ServicePack
            << ",\"build\":" << look.stamp->Build << "}";
    } else {
        out << "null";
    }
    out << ",\"journal\":[";
    List rows(out);
    for (const auto& row : look.journal) {
        rows.item() << "{\"version\":" << quoted(row.version) << ",\"time\":" << quoted(row.time) << "}";
    }
    out << "]}";
}

void printJson(std::ostream& out, const run::InstallationStatus& status) {
    out << "{\"readable\":" << boolean(status.readable()) << ",\"unreadable\":" << quoted(status.unreadable)
        << ",\"installation\":{\"number\":" << status.installationNumber
        << ",\"databaseUser\":" << quoted(status.databaseUser) << ",\"programFolder\":" << quoted(status.programFolder)
        << ",\"dataFolder\":" << quoted(status.dataFolder) << "},\"databases\":[";
    List databases(out);
    for (const auto& database : status.databases) {
        printDatabaseJson(databases.item(), database);
    }
    const auto& minima = status.state.minima;
    out << "],\"verdict\":{\"ready\":" << boolean(status.state.ready)
        << ",\"lowestStamp\":{\"version\":" << minima.MinVersion << ",\"servicePack\":" << minima.MinServicePack
        << ",\"build\":" << minima.MinBuild << "},\"lines\":[";
    List lines(out);
    for (const auto& line : status.state.lines) {
        lines.item() << quoted(line);
    }
    out << "]},\"packs\":[";
    List packs(out);
    for (const auto& pack : status.packs) {
        packs.item() << "{\"pack\":" << quoted(packName(pack.number)) << ",\"steps\":" << pack.steps << "}";
    }
    out << "],\"checks\":[";
    List checks(out);
    for (const auto& check : status.checks) {
        checks.item() << "{\"name\":" << quoted(check.name) << ",\"passed\":" << boolean(check.passed)
                      << ",\"text\":" << quoted(check.text) << "}";
    }
    out << "],\"messages\":[";
    List messages(out);
    for (const auto& message : status.messages) {
        messages.item() << quoted(message);
    }
    out << "],\"runPossible\":" << boolean(status.runPossible()) << "}\n";
}

// The message boxes' line breaks as breaks of an indented text.
std::string indentedLines(const std::string& text) {
    std::string result = "  ";
    for (const char c : text) {
        result += c == '\r' || c == '\n' ? std::string("\n  ") : std::string(1, c);
    }
    return result;
}

void printDatabaseText(std::ostream& out, const run::DatabaseStatus& database) {
    const auto& look = database.look;
    std::string name = database.name + (database.release712 ? " (7.12)" : "");
    name.resize(std::max<size_t>(name.size(), 20), ' ');
    out << "  " << name << database.path << "\n    ";
    if (!look.present) {
        out << "missing\n";
        return;
    }
    out << (look.opens ? "opens" : "does not open: " + look.problem);
    if (look.stamp) {
        out << ", stamp " << stampText(*look.stamp);
    }
    if (look.heldElsewhere) {
        out << ", held by another process";
    }
    out << "\n";
    for (const auto& row : look.journal) {
        out << "    journal: " << row.version << "  " << row.time << "\n";
    }
}

void printText(std::ostream& out, const run::InstallationStatus& status) {
    out << "Installation number " << status.installationNumber;
    if (!status.databaseUser.empty()) {
        out << ", database user " << status.databaseUser;
    }
    out << "\nProgram folder: " << status.programFolder << "\nData folder:    " << status.dataFolder
        << "\n\nDatabases:\n";
    for (const auto& database : status.databases) {
        printDatabaseText(out, database);
    }
    out << "\nThe program's verdict:\n";
    for (const auto& line : status.state.lines) {
        out << "  " << line << "\n";
    }
    if (!status.packs.empty()) {
        out << "\nPacks a run would install:\n";
        for (const auto& pack : status.packs) {
            out << "  " << packName(pack.number) << "  " << pack.steps << " steps\n";
        }
    }
    out << "\nChecks before the first change:\n";
    for (const auto& check : status.checks) {
        out << "  " << (check.passed ? "ok    " : "FAILED") << "  " << check.text << "\n";
    }
    if (!status.messages.empty()) {
        out << "\nThe program would say:\n";
        for (const auto& message : status.messages) {
            out << indentedLines(message) << "\n";
        }
    }
    out << "\n" << (status.runPossible() ? "A run is possible." : "No run is possible.") << "\n";
}

} // namespace

int printStatus(bool json) {
    const run::InstallationStatus status = run::readInstallationStatus();
    if (json) {
        printJson(std::cout, status);
    } else if (status.readable()) {
        printText(std::cout, status);
    }
    if (!status.readable()) {
        std::cerr << "upgrade-headless: " << status.unreadable << "." << std::endl;
        return kUnreadable;
    }
    return status.runPossible() ? kRunPossible : kNoRun;
}

} // namespace headless
