#include "psi/crc32.h"

#include <array>

namespace korvet {

namespace {

constexpr std::array<std::uint32_t, 256> makeCrcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t value = i << 24;
        for (int bit = 0; bit < 8; ++bit) value = (value & 0x80000000u) ? (value << 1) ^ 0x04C11DB7u : value << 1;
        table[i] = value;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> kCrcTable = makeCrcTable();

}  // namespace

std::uint32_t sectionCrc32(std::span<const std::uint8_t> bytes) {
    std::uint32_t value = 0xFFFFFFFFu;
    for (const std::uint8_t byte : bytes) value = (value << 8) ^ kCrcTable[((value >> 24) ^ byte) & 0xFF];
    return value;
}

}  // namespace korvet
