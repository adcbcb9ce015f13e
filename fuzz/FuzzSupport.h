#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

// The readers under test take files, as the program reads them; each input is
// written to a file of the fuzzing process's own first, in TMPDIR (scripts/fuzz.sh gives each
// target a folder it removes afterwards).
inline std::string inputFile(const char* name, const std::uint8_t* data, std::size_t size) {
    const char* folder = std::getenv("TMPDIR");
    const std::string file = std::string(folder != nullptr && *folder != '\0' ? folder : "/tmp") + "/zuruzod-fuzz-" +
                             std::to_string(::getpid()) + "-" + name;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return file;
}
