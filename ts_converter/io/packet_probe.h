// Tells from the first bytes of a file whether it is made of packets of a given size: the
// test that regains packet alignment, three sync bytes at packet spacing, tried at every
// position of those bytes.
#pragma once

#include "io/block.h"

#include <cstdint>
#include <span>

namespace korvet {

// The first position of `data` where packets of `packetSize` (188 or 192, the sync byte at
// packetSize - 188) start, or -1. A file too short for three packets (`wholeFile`: `data`
// is all of it) counts when all its whole packets, at least one, start at its first byte.
std::int64_t findPacketStart(std::span<const std::uint8_t> data, bool wholeFile, std::int32_t packetSize);

}  // namespace korvet

namespace korvet {

// The packet size of a file from its first bytes: 188 or 192 when packets of that size start at
// its first byte (for 192, the sync byte at offset 4), else the size whose packets are found
// first further in; 0 when neither is found.
std::int32_t detectPacketSize(std::span<const std::uint8_t> data, bool wholeFile);

// The last bytes of a span in which detectPacketSize has not yet tried every start: the test
// window of three 192-byte packets, less one byte. A search that goes on in the next bytes of
// the input keeps these in front of them.
inline constexpr std::int32_t kPacketSizeProbeOverlap =
    kTimestampedPacketSize - kTsPacketSize + 2 * kTimestampedPacketSize;

}  // namespace korvet
