#include "rpls/packet_format.h"

namespace inspect {

namespace {

bool syncBytesAt(const std::uint8_t* bytes, std::size_t size, std::size_t first, std::size_t spacing) {
    for (std::size_t i = 0; i < 4; ++i) {
        const std::size_t at = first + i * spacing;
        if (at >= size || bytes[at] != 0x47) return false;
    }
    return true;
}

// Reserved bits 31..25 zero, cycle count 0..7999, cycle offset 0..3071.
bool isFw192Header(const std::uint8_t* h) {
    const std::uint32_t word =
        (std::uint32_t{h[0]} << 24) | (std::uint32_t{h[1]} << 16) | (std::uint32_t{h[2]} << 8) | h[3];
    return (word >> 25) == 0 && ((word >> 12) & 0x1FFF) < 8000 && (word & 0xFFF) < 3072;
}

}  // namespace

PacketFormat guessPacketFormat(const std::uint8_t* bytes, std::size_t size) {
    if (syncBytesAt(bytes, size, 0, 188)) return PacketFormat::Ts188;
    if (!syncBytesAt(bytes, size, 4, 192)) return PacketFormat::Unknown;
    bool allZero = true;
    for (std::size_t at = 0; at + 192 <= size; at += 192) {
        const std::uint8_t* header = bytes + at;
        if (!isFw192Header(header)) return PacketFormat::Bd192;
        if ((header[0] | header[1] | header[2] | header[3]) != 0) allZero = false;
    }
    return allZero ? PacketFormat::Ts192 : PacketFormat::Fw192;
}

const char* describePacketFormat(PacketFormat format) {
    switch (format) {
        case PacketFormat::Ts188: return "a TS file of 188-byte packets (KORVET -f or -b converts it)";
        case PacketFormat::Bd192:
            return "a BD192 file (.m2ts, 192-byte packets with arrival times; KORVET -n or no switch converts it)";
        case PacketFormat::Fw192:
            return "an FW192 file (192-byte packets with FW192 time stamps; KORVET -n or -r converts it)";
        case PacketFormat::Ts192: return "a file of 192-byte packets without time stamps";
        case PacketFormat::Unknown: break;
    }
    return "neither an RPLS playlist nor a TS file";
}

}  // namespace inspect
