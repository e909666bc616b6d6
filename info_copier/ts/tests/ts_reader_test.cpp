// The packet reader on streams of numbered packets: where it starts, how it regains
// alignment, and where the data ends.
#include <gtest/gtest.h>

#include "ts/ts_reader.h"
#include "ts_test_support.h"

namespace {

using ts_test::Bytes;

// Packet i carries its number in payload bytes 4 and 5, coded so that no 0x47 appears.
Bytes numberedPacket(int index) {
    Bytes packet(188, 0xFF);
    packet[0] = 0x47;
    packet[1] = 0x01;
    packet[2] = 0x00;
    packet[3] = 0x10;
    packet[4] = static_cast<std::uint8_t>(0x80 + index / 128);
    packet[5] = static_cast<std::uint8_t>(0x80 + index % 128);
    return packet;
}

struct Damage {
    int packet;  // index of the packet whose sync byte is spoilt, -1 for none
};

Bytes numberedStream(int packetSize, int count, int garbageInFront = 0, Damage damage = {-1}, int trailing = 0) {
    ts_streams::TsStreamBuilder builder(packetSize);
    builder.addGarbage(Bytes(static_cast<std::size_t>(garbageInFront), 0x00));
    for (int i = 0; i < count; ++i) builder.addRawPacket(numberedPacket(i));
    Bytes bytes = builder.bytes();
    if (damage.packet >= 0) {
        bytes[static_cast<std::size_t>(garbageInFront + damage.packet * packetSize + packetSize - 188)] = 0x00;
    }
    bytes.insert(bytes.end(), static_cast<std::size_t>(trailing), 0x00);
    return bytes;
}

// The numbers of the packets that a reader delivers, in order.
std::vector<int> deliveredNumbers(const Bytes& stream, int packetSize, int percent) {
    platform::File file;
    EXPECT_TRUE(file.openExisting(ts_test::writeTempFile(stream).c_str(), platform::Access::Read, false));
    auto reader = std::make_unique<ts::TsReader>();
    reader->setUp(file, packetSize);
    reader->seekToPercent(percent);
    std::vector<int> numbers;
    while (const std::uint8_t* packet = reader->nextPacket()) {
        const std::uint8_t* ts = packet + reader->syncOffset();
        EXPECT_EQ(ts[0], 0x47);
        numbers.push_back((ts[4] - 0x80) * 128 + (ts[5] - 0x80));
    }
    EXPECT_EQ(reader->nextPacket(), nullptr) << "the end of the data is final";
    return numbers;
}

std::vector<int> range(int first, int last) {  // first..last inclusive
    std::vector<int> numbers;
    for (int i = first; i <= last; ++i) numbers.push_back(i);
    return numbers;
}

std::vector<int> without(std::vector<int> numbers, int dropped) {
    std::erase(numbers, dropped);
    return numbers;
}

struct ReaderCase {
    const char* name;
    Bytes stream;
    int packetSize;
    int percent;
    std::vector<int> expected;
};

TEST(TsReader, DeliversPacketsFromTheStartPosition) {
    const ReaderCase cases[] = {
        {"aligned 188 from the first byte", numberedStream(188, 10), 188, 0, range(0, 9)},
        {"aligned 192, prefix delivered with the packet", numberedStream(192, 10), 192, 0, range(0, 9)},
        {"garbage in front is skipped", numberedStream(188, 10, 7), 188, 0, range(0, 9)},
        {"garbage in front of 192-byte packets", numberedStream(192, 10, 5), 192, 0, range(0, 9)},
        // 10 % of 1880 bytes is byte 188: exactly the start of packet 1.
        {"start on a packet boundary", numberedStream(188, 10), 188, 10, range(1, 9)},
        // 15 % of 1880 bytes is byte 282, inside packet 1: the first whole packet is 2.
        {"start inside a packet", numberedStream(188, 10), 188, 15, range(2, 9)},
        {"start inside a 192-byte packet", numberedStream(192, 10), 192, 15, range(2, 9)},
        {"a damaged sync byte drops its packet", numberedStream(188, 10, 0, {3}), 188, 0, without(range(0, 9), 3)},
        {"a damaged 192-byte packet", numberedStream(192, 10, 0, {3}), 192, 0, without(range(0, 9), 3)},
        // The search after packet 8 needs three packets' worth of bytes; only one is left.
        {"a search near the end loses the last packets", numberedStream(188, 10, 0, {8}), 188, 0, range(0, 7)},
        {"a partial packet at the end is never delivered", numberedStream(188, 10, 0, {-1}, 100), 188, 0, range(0, 9)},
        {"an empty file", {}, 188, 0, {}},
        {"a file shorter than one packet", Bytes(100, 0x47), 188, 0, {}},
    };
    for (const ReaderCase& c : cases) {
        EXPECT_EQ(deliveredNumbers(c.stream, c.packetSize, c.percent), c.expected) << c.name;
    }
}

TEST(TsReader, CarriesPacketsAcrossWindowBoundaries) {
    // Two full windows exactly: 697 whole packets, then 36 bytes. The second read fills the
    // window completely, so a third read (of 0 bytes) ends the data.
    const Bytes exact = numberedStream(188, 697, 0, {-1}, 131072 - 697 * 188);
    ASSERT_EQ(exact.size(), 131072u);
    EXPECT_EQ(deliveredNumbers(exact, 188, 0), range(0, 696));

    // Many windows of 192-byte packets from the middle: every packet from there on, in order.
    const Bytes large = numberedStream(192, 2000);
    const int firstWhole = static_cast<int>((large.size() * 50 / 100 + 191) / 192);
    EXPECT_EQ(deliveredNumbers(large, 192, 50), range(firstWhole, 1999));

    // A damaged packet right at a window boundary.
    const int atBoundary = 65536 / 188;  // packet 348 spans the first boundary
    EXPECT_EQ(deliveredNumbers(numberedStream(188, 1000, 0, {atBoundary}), 188, 0), without(range(0, 999), atBoundary));
}

TEST(TsReader, SyncByteInsidePayloadDeliversOneMisalignedPacketThenResynchronises) {
    Bytes stream = numberedStream(188, 6);
    // A 0x47 in packet 0's payload right at the start position.
    const std::size_t start = stream.size() * 10 / 100;  // byte 112 of packet 0
    stream[start] = 0x47;
    const std::vector<int> numbers = deliveredNumbers(stream, 188, 10);
    // The misaligned packet (made of packet 0's tail and packet 1's head) reads as a bogus
    // number; after it the reader slides to packet 2 at the latest.
    ASSERT_GE(numbers.size(), 4u);
    EXPECT_EQ(std::vector<int>(numbers.end() - 4, numbers.end()), range(2, 5));
}

}  // namespace
