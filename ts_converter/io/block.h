// Transfer unit of the converter's file input and output.
#pragma once

#include <cstdint>

namespace korvet {

// Every transfer is a whole number of these blocks, at block-aligned memory and file offsets,
// so that unbuffered I/O can bypass the system cache.
inline constexpr std::int32_t kBlockSize = 65536;

// Plain transport stream packet, and the 192-byte formats with a 4-byte header in front.
inline constexpr std::int32_t kTsPacketSize = 188;
inline constexpr std::int32_t kTimestampedPacketSize = 192;
inline constexpr std::uint8_t kSyncByte = 0x47;

}  // namespace korvet
