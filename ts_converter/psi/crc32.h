// CRC-32 of ISO/IEC 13818-1 PSI sections: polynomial 0x04C11DB7, most significant bit first,
// start value 0xFFFFFFFF, no final inversion. Over a whole section including its CRC_32
// field, a valid section gives 0.
#pragma once

#include <cstdint>
#include <span>

namespace korvet {

std::uint32_t sectionCrc32(std::span<const std::uint8_t> bytes);

}  // namespace korvet
