// Multi-line texts of the catalogue (kit lists, pointer cards, colour lists), cut into lines.
#include "engine/TextLines.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto lines = engine::splitLines(text);
    std::size_t characters = 0;
    for (const auto& line : lines) {
        if (line.find_first_of("\r\n") != std::string::npos) {
            __builtin_trap();
        }
        characters += line.size();
        engine::lineAsInteger(line, -1);
    }
    // Nothing but the line breaks is dropped.
    std::size_t breaks = 0;
    for (char c : text) {
        breaks += c == '\r' || c == '\n';
    }
    if (characters + breaks != text.size()) {
        __builtin_trap();
    }
    return 0;
}
