// The compressed sibling executables, damaged in any way.
#include "run/PayloadInflater.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <stdexcept>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::ostringstream out;
    constexpr std::size_t kLimit = std::size_t{1} << 20;
    try {
        run::inflatePayload({data, size}, out, kLimit);
    } catch (const std::runtime_error&) {
        return 0;
    }
    if (out.str().size() > kLimit) {
        __builtin_trap();
    }
    return 0;
}
