// A look at the first bytes of a file that is not a playlist: which TS packet format it has.
#pragma once

#include <cstddef>
#include <cstdint>

namespace inspect {

enum class PacketFormat {
    Unknown,
    Ts188,  // plain 188-byte TS packets
    Bd192,  // 192-byte packets with a BD192 arrival-time header (.m2ts)
    Fw192,  // 192-byte packets whose every header is a valid FW192 cycle count and offset
    Ts192,  // 192-byte packets whose headers tell nothing (all zero)
};

// Looks for the sync byte 0x47 at the start of four packets in a row (at 0 for 188 bytes, at
// 4 for 192), then reads the 192-byte headers: a BD192 arrival time counts 27 MHz ticks, so
// its low twelve bits soon reach values that an FW192 cycle offset (0..3071) never has.
PacketFormat guessPacketFormat(const std::uint8_t* bytes, std::size_t size);

// A few words for the user: what the format is and which KORVET switch reads it.
const char* describePacketFormat(PacketFormat format);

}  // namespace inspect
