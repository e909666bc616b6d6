#include "stamp/time_stamp.h"

namespace korvet {

std::int64_t decodeBd192ArrivalTime(ConstHeader header) {
    return (std::int64_t{header[0] & 0x3F} << 24) | (std::int64_t{header[1]} << 16) | (std::int64_t{header[2]} << 8) |
           header[3];
}

void splitFw192Time(std::int64_t time, std::uint32_t& cycle, std::uint32_t& ticks) {
    // Unsigned division by the constants costs a multiplication each.
    std::uint64_t withinSecond = 0;
    if (time >= 0) {
        withinSecond = static_cast<std::uint64_t>(time) % static_cast<std::uint64_t>(kTicksPerSecond);
    } else {
        const std::int64_t signedWithin = time % kTicksPerSecond;
        withinSecond = static_cast<std::uint64_t>(signedWithin < 0 ? signedWithin + kTicksPerSecond : signedWithin);
    }
    const auto ticksPerCycle = static_cast<std::uint64_t>(kTicksPerCycle);
    cycle = static_cast<std::uint32_t>(withinSecond / ticksPerCycle);
    ticks = static_cast<std::uint32_t>(withinSecond - cycle * ticksPerCycle);
}

void encodeFw192Header(std::int64_t time, std::int32_t cycleTicks, Header header) {
    std::uint32_t cycle = 0, ticks = 0;
    splitFw192Time(time, cycle, ticks);
    packFw192Header(cycle, ticks, cycleTicks, header);
}

std::int32_t decodeFw192Cycle(ConstHeader header) {
    return ((header[0] & 0x01) << 12) | (header[1] << 4) | (header[2] >> 4);
}

std::int32_t decodeFw192Offset(ConstHeader header) { return ((header[2] & 0x0F) << 8) | header[3]; }

}  // namespace korvet
