#include "InstallationBuilder.h"

#include "platform/Text.h"

#include <charconv>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <exception>
#include <iostream>
#include <langinfo.h>
#include <optional>
#include <string>

namespace {

void usage() {
    std::cerr << "usage: make-installation FOLDER [--release 8|7.12] [--schema 8|7.12]\n"
                 "                         [--number-firm N] [--type T]\n"
                 "                         [--stamp V.SP.B] [--stamp-of NAME=V.SP.B] [--omit NAME]\n"
                 "                         [--keys-700] [--trellan PATH] [--scale S]\n"
                 "                         [--formats [NAME.]TABLE=N]\n"
                 "Lays out a complete installation with its registry stores, settings files and\n"
                 "databases in FOLDER, and prints the variables that point a program at it.\n"
                 "--scale S adds generated rows in proportion S (1: about 1.1 GB of databases).\n"
                 "--formats brings a table (of database NAME, or of every database that has it) to N\n"
                 "record formats, as that many ALTERs over the years would (Firebird allows 255).\n";
}

tools::Stamp parseStamp(const std::string& text) {
    int v = 0, sp = 0, b = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%d.%d.%d%c", &v, &sp, &b, &tail) != 3) {
        throw std::runtime_error("a stamp is written Version.ServicePack.Build, not '" + text + "'");
    }
    return {v, sp, b};
}

double parseScale(const std::string& text) {
    double scale = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), scale);
    if (error != std::errc() || end != text.data() + text.size() || !(scale > 0) || scale > 100) {
        throw std::runtime_error("the scale is a decimal above 0 and at most 100, not '" + text + "'");
    }
    return scale;
}

} // namespace

int main(int argc, char** argv) {
    // Firebird reads file names in the locale's character set, as the program does: without it a
    // folder named in Cyrillic cannot take a database.
    std::setlocale(LC_ALL, "");
    if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) {
        std::setlocale(LC_CTYPE, "C.UTF-8");
    }
    try {
        tools::InstallationSpec spec;
        for (int i = 1; i < argc; ++i) {
            const std::string arg = argv[i];
            auto value = [&]() -> std::string {
                if (i + 1 >= argc) {
                    throw std::runtime_error(arg + " needs a value");
                }
                return argv[++i];
            };
            if (arg == "--release") {
                const std::string release = value();
                if (release != "8" && release != "7.12") {
                    throw std::runtime_error("the release is 8 or 7.12, not '" + release + "'");
                }
                spec.release = release == "8" ? tools::Release::V8 : tools::Release::V712;
            } else if (arg == "--schema") {
                const std::string schema = value();
                if (schema != "8" && schema != "7.12") {
                    throw std::runtime_error("the schema is 8 or 7.12, not '" + schema + "'");
                }
                spec.schema = schema == "8" ? tools::Release::V8 : tools::Release::V712;
            } else if (arg == "--number-firm") {
                const auto number = platform::parseInt(value());
                if (!number || *number < 0) {
                    throw std::runtime_error("the installation number must be a whole number of 0 or more");
                }
                spec.numberFirm = *number;
            } else if (arg == "--type") {
                spec.typeInstall = value();
            } else if (arg == "--stamp") {
                spec.stamp = parseStamp(value());
            } else if (arg == "--stamp-of") {
                const std::string item = value();
                const auto equals = item.find('=');
                if (equals == std::string::npos) {
                    throw std::runtime_error("--stamp-of takes NAME=V.SP.B");
                }
                spec.stampOf[item.substr(0, equals)] = parseStamp(item.substr(equals + 1));
            } else if (arg == "--formats") {
                const std::string item = value();
                const auto equals = item.find('=');
                const auto formats =
                    equals == std::string::npos ? std::nullopt : platform::parseInt(item.substr(equals + 1));
                if (!formats || equals == 0) {
                    throw std::runtime_error("--formats takes [NAME.]TABLE=N");
                }
                spec.formats[item.substr(0, equals)] = *formats;
            } else if (arg == "--omit") {
                spec.omit.insert(value());
            } else if (arg == "--keys-700") {
                spec.keys700 = true;
            } else if (arg == "--trellan") {
                spec.trellanBasePath800 = value();
            } else if (arg == "--scale") {
                spec.scale = parseScale(value());
            } else if (arg == "--help" || arg == "-h") {
                usage();
                return 0;
            } else if (!arg.empty() && arg[0] != '-' && spec.root.empty()) {
                spec.root = arg;
            } else {
                throw std::runtime_error("unknown argument '" + arg + "'");
            }
        }
        if (spec.root.empty()) {
            usage();
            return 2;
        }
        // Callers eval standard output, so progress goes to standard error.
        const auto layout = tools::buildInstallation(
            spec, [](const std::string& line) { std::cerr << "make-installation: " << line << std::endl; });
        for (const auto& [name, value] : layout.environment()) {
            std::cout << "export " << name << "='" << value << "'\n";
        }
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "make-installation: " << error.what() << std::endl;
        return 2;
    }
}
