#include "stamp/time_stamp.h"

namespace korvet {

void encodeBd192Header(std::int64_t time, Header header) {
    header[0] = static_cast<std::uint8_t>((time >> 24) & 0x3F);
    header[1] = static_cast<std::uint8_t>((time >> 16) & 0xFF);
    header[2] = static_cast<std::uint8_t>((time >> 8) & 0xFF);
    header[3] = static_cast<std::uint8_t>(time & 0xFF);
}

std::int64_t decodeBd192ArrivalTime(ConstHeader header) {
    return (std::int64_t{header[0] & 0x3F} << 24) | (std::int64_t{header[1]} << 16) |
           (std::int64_t{header[2]} << 8) | header[3];
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

void packFw192Header(std::uint32_t cycle, std::uint32_t ticks, std::int32_t cycleTicks, Header header) {
    const std::uint64_t offset =
        (std::uint64_t{ticks} * static_cast<std::uint64_t>(cycleTicks)) / static_cast<std::uint64_t>(kTicksPerCycle);
    header[0] = static_cast<std::uint8_t>((cycle >> 12) & 0x01);
    header[1] = static_cast<std::uint8_t>((cycle >> 4) & 0xFF);
    header[2] = static_cast<std::uint8_t>(((cycle & 0x0F) << 4) | ((offset >> 8) & 0x0F));
    header[3] = static_cast<std::uint8_t>(offset & 0xFF);
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

bool carriesPcr(TsPacket packet, std::uint32_t pid) {
    const std::uint32_t packetPid = (static_cast<std::uint32_t>(packet[1] & 0x1F) << 8) | packet[2];
    const bool hasAdaptationField = (packet[3] & 0x20) != 0;
    return packetPid == pid && hasAdaptationField && packet[4] != 0 && (packet[5] & 0x10) != 0;
}

std::int64_t extractPcr(TsPacket packet) {
    const std::int64_t base = (std::int64_t{packet[6]} << 25) | (std::int64_t{packet[7]} << 17) |
                              (std::int64_t{packet[8]} << 9) | (std::int64_t{packet[9]} << 1) | (packet[10] >> 7);
    const std::int64_t extension = (std::int64_t{packet[10] & 0x01} << 8) | packet[11];
    return base * 300 + extension;
}

}  // namespace korvet
