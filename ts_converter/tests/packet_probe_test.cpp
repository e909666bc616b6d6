#include "io/packet_probe.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// `count` packets of `size` bytes, the sync byte at size - 188, after `lead` bytes of filler.
Bytes packets(std::int32_t size, int count, std::size_t lead = 0) {
    Bytes bytes(lead, 0x00);
    for (int i = 0; i < count; ++i) {
        Bytes packet(static_cast<std::size_t>(size), 0x11);
        packet[static_cast<std::size_t>(size - 188)] = 0x47;
        bytes.insert(bytes.end(), packet.begin(), packet.end());
    }
    return bytes;
}

TEST(FindPacketStart, ThreeSyncBytesAtTheSpacingOfTheSize) {
    struct Case {
        const char* name;
        Bytes data;
        bool wholeFile;
        std::int64_t at188;
        std::int64_t at192;
    };
    Bytes lone(1000, 0x00);
    lone[500] = 0x47;
    const std::vector<Case> cases{
        {"188-byte packets", packets(188, 10), true, 0, -1},
        {"192-byte packets", packets(192, 10), true, -1, 0},
        {"garbage in front", packets(188, 5, 100), false, 100, -1},
        {"one 188-byte packet, the whole file", packets(188, 1), true, 0, -1},
        {"two 192-byte packets, the whole file", packets(192, 2), true, -1, 0},
        {"one packet, but not the whole file", packets(188, 1), false, -1, -1},
        {"a lone sync byte in garbage", lone, true, -1, -1},
        {"empty", {}, true, -1, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(korvet::findPacketStart(c.data, c.wholeFile, 188), c.at188) << c.name;
        EXPECT_EQ(korvet::findPacketStart(c.data, c.wholeFile, 192), c.at192) << c.name;
    }
}

}  // namespace
