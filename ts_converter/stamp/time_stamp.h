// Time stamps of the 192-byte packet formats and the PCR of a TS packet, in ticks of the
// 27 MHz system clock.
#pragma once

#include <cstdint>
#include <span>

namespace korvet {

using Header = std::span<std::uint8_t, 4>;
using ConstHeader = std::span<const std::uint8_t, 4>;
using TsPacket = std::span<const std::uint8_t, 188>;

inline constexpr std::int64_t kTicksPerSecond = 27'000'000;
inline constexpr std::int64_t kTicksPerCycle = 3375;  // one FW192 cycle, 125 µs
inline constexpr std::int64_t kCyclesPerSecond = 8000;
inline constexpr std::int64_t kArrivalTimeWrap = std::int64_t{1} << 30;
inline constexpr std::int64_t kPcrWrap = (std::int64_t{1} << 33) * 300;

// Cycle-offset resolution of FW192: 3072 ticks of 24.576 MHz per cycle, or 3000.
inline constexpr std::int32_t kCycleTicks3072 = 3072;
inline constexpr std::int32_t kCycleTicks3000 = 3000;

// BD192: copy permission (2 bits, written 0), then a 30-bit arrival time modulo 2^30.
void encodeBd192Header(std::int64_t time, Header header);
std::int64_t decodeBd192ArrivalTime(ConstHeader header);

// FW192: 7 bits written 0, a 13-bit cycle count within the second, a 12-bit cycle offset of
// `cycleTicks` per cycle. The seconds themselves are not stored.
void encodeFw192Header(std::int64_t time, std::int32_t cycleTicks, Header header);
// The two halves of that: a time as the cycle within its second (0..7999) and the 27 MHz ticks
// into that cycle (0..3374), and those as header bytes with the offset in `cycleTicks` units.
void splitFw192Time(std::int64_t time, std::uint32_t& cycle, std::uint32_t& ticks);
void packFw192Header(std::uint32_t cycle, std::uint32_t ticks, std::int32_t cycleTicks, Header header);
std::int32_t decodeFw192Cycle(ConstHeader header);
std::int32_t decodeFw192Offset(ConstHeader header);

// True when the packet is on `pid` and its adaptation field carries a PCR.
bool carriesPcr(TsPacket packet, std::uint32_t pid);
// base × 300 + extension.
std::int64_t extractPcr(TsPacket packet);

}  // namespace korvet
