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
inline void encodeBd192Header(std::int64_t time, Header header) {
    header[0] = static_cast<std::uint8_t>((time >> 24) & 0x3F);
    header[1] = static_cast<std::uint8_t>((time >> 16) & 0xFF);
    header[2] = static_cast<std::uint8_t>((time >> 8) & 0xFF);
    header[3] = static_cast<std::uint8_t>(time & 0xFF);
}

std::int64_t decodeBd192ArrivalTime(ConstHeader header);

// FW192: 7 bits written 0, a 13-bit cycle count within the second, a 12-bit cycle offset of
// `cycleTicks` per cycle. The seconds themselves are not stored.
void encodeFw192Header(std::int64_t time, std::int32_t cycleTicks, Header header);
// The two halves of that: a time as the cycle within its second (0..7999) and the 27 MHz ticks
// into that cycle (0..3374), and those as header bytes with the offset in `cycleTicks` units.
void splitFw192Time(std::int64_t time, std::uint32_t& cycle, std::uint32_t& ticks);
inline void packFw192Header(std::uint32_t cycle, std::uint32_t ticks, std::int32_t cycleTicks, Header header) {
    const std::uint64_t offset =
        (std::uint64_t{ticks} * static_cast<std::uint64_t>(cycleTicks)) / static_cast<std::uint64_t>(kTicksPerCycle);
    header[0] = static_cast<std::uint8_t>((cycle >> 12) & 0x01);
    header[1] = static_cast<std::uint8_t>((cycle >> 4) & 0xFF);
    header[2] = static_cast<std::uint8_t>(((cycle & 0x0F) << 4) | ((offset >> 8) & 0x0F));
    header[3] = static_cast<std::uint8_t>(offset & 0xFF);
}

std::int32_t decodeFw192Cycle(ConstHeader header);
std::int32_t decodeFw192Offset(ConstHeader header);

// True when the packet is on `pid` and its adaptation field carries a PCR.
inline bool carriesPcr(TsPacket packet, std::uint32_t pid) {
    const std::uint32_t packetPid = (static_cast<std::uint32_t>(packet[1] & 0x1F) << 8) | packet[2];
    const bool hasAdaptationField = (packet[3] & 0x20) != 0;
    return packetPid == pid && hasAdaptationField && packet[4] != 0 && (packet[5] & 0x10) != 0;
}

// base × 300 + extension.
inline std::int64_t extractPcr(TsPacket packet) {
    const std::int64_t base = (std::int64_t{packet[6]} << 25) | (std::int64_t{packet[7]} << 17) |
                              (std::int64_t{packet[8]} << 9) | (std::int64_t{packet[9]} << 1) | (packet[10] >> 7);
    const std::int64_t extension = (std::int64_t{packet[10] & 0x01} << 8) | packet[11];
    return base * 300 + extension;
}

}  // namespace korvet
