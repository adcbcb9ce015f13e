#include "platform/Guid.h"

#include <array>
#include <random>

namespace platform {

std::string newGuidDigits() {
    std::random_device source;
    std::array<unsigned char, 16> bytes{};
    for (auto& b : bytes) {
        b = static_cast<unsigned char>(source() & 0xFF);
    }
    bytes[6] = static_cast<unsigned char>((bytes[6] & 0x0F) | 0x40);
    bytes[8] = static_cast<unsigned char>((bytes[8] & 0x3F) | 0x80);
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 0x0F];
    }
    return out;
}

} // namespace platform
