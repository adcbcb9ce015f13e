// Statement texts with ":pN" markers, and names pasted into statements.
#include "engine/firebird/SqlText.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto prepared = engine::fb::rewriteParameters(text);
    // Every marker stands for one number, and the text never grows: ":pN" becomes "?".
    if (static_cast<size_t>(std::count(prepared.sql.begin(), prepared.sql.end(), '?')) <
            prepared.parameterOrder.size() ||
        prepared.sql.size() > text.size()) {
        __builtin_trap();
    }
    try {
        const std::string& name = engine::fb::plainIdentifier(text);
        if (name.find_first_of(";'\"-/()= \t\r\n") < name.find_last_not_of(' ')) {
            __builtin_trap();
        }
    } catch (const std::invalid_argument&) {
    }
    return 0;
}
