#include "io/packet_reader.h"
#include "io/packet_writer.h"

#include "platform/background_transfer.h"
#include "test_files.h"
#include "ts_packets.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace korvet {
namespace {

using namespace ts_streams;

using test::Bytes;

struct Delivery {
    std::vector<Bytes> packets;
    std::int64_t consumed = 0;
};

Delivery readAll(const std::string& path, std::int32_t packetSize, bool unbuffered = true, std::int32_t blocks = 1) {
    PacketReader reader;
    Delivery result;
    EXPECT_TRUE(reader.open(path.c_str(), packetSize, blocks, unbuffered));
    reader.setReportRemoved(false);
    EXPECT_TRUE(reader.rewind());
    const std::uint8_t* packet = nullptr;
    while (reader.nextPacket(packet) == ReadStatus::Packet) result.packets.emplace_back(packet, packet + packetSize);
    result.consumed = reader.consumed();
    return result;
}

// Numbered 188-byte packets, behind `header` when 192 bytes long.
std::vector<Bytes> numberedPackets(int count, std::int32_t packetSize, std::uint32_t header = 0x47474747u) {
    std::vector<Bytes> packets;
    for (int i = 0; i < count; ++i) {
        Bytes ts = payloadPacket(0x100, static_cast<std::uint32_t>(i));
        packets.push_back(packetSize == 192 ? withHeader(header, ts) : ts);
    }
    return packets;
}

TEST(PacketReader, RegainsAlignmentAndCountsEveryByte) {
    struct Case {
        const char* name;
        std::int32_t packetSize;
        Bytes before;       // in front of the packets
        std::size_t cutAt;  // garbage inserted in front of this packet (SIZE_MAX: none)
        Bytes between;
        Bytes after;           // behind the last packet
        std::uint32_t header;  // of 192-byte packets
        int delivered;
    };
    const Bytes lonelySync{0x00, 0x47, 0x00, 0x11, 0x47};
    const std::vector<Case> cases{
        {"GarbageInFront", 188, Bytes(100, 0x00), SIZE_MAX, {}, {}, 0, 40},
        {"LonelySyncByteInGarbage", 188, lonelySync, SIZE_MAX, {}, {}, 0, 40},
        {"GarbageBetween", 188, {}, 20, Bytes(77, 0x47), {}, 0, 40},
        {"ShortTailDropped", 188, {}, SIZE_MAX, {}, Bytes(100, 0x47), 0, 40},
        {"SyncCheckedBehindThe192ByteHeader", 192, Bytes(5, 0x00), SIZE_MAX, {}, {}, 0, 40},
        {"HeaderOfSyncBytesIsNoGarbage", 192, {}, SIZE_MAX, {}, {}, 0x47474747, 40},
        {"CarriedOverBatchEnd", 192, Bytes(65536 - 100, 0x00), SIZE_MAX, {}, {}, 0, 40},
    };
    for (const Case& c : cases) {
        const std::vector<Bytes> packets = numberedPackets(40, c.packetSize, c.header);
        Bytes file = c.before;
        for (std::size_t i = 0; i < packets.size(); ++i) {
            if (i == c.cutAt) append(file, c.between);
            append(file, packets[i]);
        }
        append(file, c.after);
        const std::string path = test::tempPath(c.name);
        test::writeFile(path, file);
        for (const bool unbuffered : {true, false}) {
            const Delivery got = readAll(path, c.packetSize, unbuffered);
            ASSERT_EQ(got.packets.size(), static_cast<std::size_t>(c.delivered)) << c.name;
            EXPECT_EQ(got.packets.front(), packets.front()) << c.name;
            EXPECT_EQ(got.packets.back(), packets.back()) << c.name;
            EXPECT_EQ(got.consumed, static_cast<std::int64_t>(file.size())) << c.name;
        }
        std::remove(path.c_str());
    }
}

TEST(PacketReader, DamagedPacketNearTheEndIsDroppedWithTheRest) {
    std::vector<Bytes> packets = numberedPackets(10, 188);
    packets[7][0] = 0x00;  // only two whole packets follow
    Bytes file;
    append(file, packets);
    const std::string path = test::tempPath("in");
    test::writeFile(path, file);
    const Delivery got = readAll(path, 188);
    EXPECT_EQ(got.packets.size(), 7u);
    EXPECT_EQ(got.consumed, static_cast<std::int64_t>(file.size()));
    std::remove(path.c_str());
}

TEST(PacketReader, BatchesOfSeveralBlocksDeliverTheSamePackets) {
    Bytes file;
    append(file, numberedPackets(3000, 188));
    const std::string path = test::tempPath("in");
    test::writeFile(path, file);
    const Delivery one = readAll(path, 188, true, 1);
    const Delivery four = readAll(path, 188, true, 4);
    EXPECT_EQ(one.packets.size(), 3000u);
    EXPECT_EQ(one.packets, four.packets);
    std::remove(path.c_str());
}

TEST(PacketReader, RewindAfterReadingRestartsAtTheFirstPacket) {
    Bytes file;
    append(file, numberedPackets(1000, 192));
    const std::string path = test::tempPath("in");
    test::writeFile(path, file);
    for (const int firstPass : {3, 999}) {  // inside the first batch, and beyond it
        PacketReader reader;
        ASSERT_TRUE(reader.open(path.c_str(), 192, 1, true));
        ASSERT_TRUE(reader.rewind());
        const std::uint8_t* packet = nullptr;
        for (int i = 0; i < firstPass; ++i) ASSERT_EQ(reader.nextPacket(packet), ReadStatus::Packet);
        ASSERT_TRUE(reader.rewind());
        EXPECT_EQ(reader.consumed(), 0);
        ASSERT_EQ(reader.nextPacket(packet), ReadStatus::Packet);
        EXPECT_EQ(Bytes(packet, packet + 192), Bytes(file.begin(), file.begin() + 192));
    }
    std::remove(path.c_str());
}

TEST(PacketReader, RefusesMissingEmptyAndOversizedInputs) {
    const std::string path = test::tempPath("empty");
    test::writeFile(path, {});
    PacketReader reader;
    EXPECT_FALSE(reader.open((path + ".missing").c_str(), 188, 1, true));
    ASSERT_TRUE(reader.open(path.c_str(), 188, 1, true));
    EXPECT_FALSE(reader.rewind());
    reader.close();
    PacketReader huge;
    EXPECT_FALSE(huge.open(path.c_str(), 188, 0x7FFFFFFF, true));
    std::remove(path.c_str());
}

// Writes `count` packets of `packetSize` numbered by their first bytes, then closes.
Bytes writeNumbered(const std::string& path, std::int32_t packetSize, int count, bool unbuffered,
                    bool writeBehind = false) {
    platform::BackgroundTransfer transfer;
    PacketWriter writer;
    EXPECT_TRUE(writer.open(path.c_str(), packetSize, unbuffered));
    if (writeBehind) writer.writeBehindThrough(transfer);
    Bytes expected(static_cast<std::size_t>(count) * static_cast<std::size_t>(packetSize));
    for (int i = 0; i < count; ++i) {
        std::uint8_t* slot = writer.nextSlot();
        EXPECT_NE(slot, nullptr);
        if (slot == nullptr) break;
        std::memset(slot, i * 7, static_cast<std::size_t>(packetSize));
        std::memcpy(slot, &i, sizeof i);
        std::memcpy(expected.data() + static_cast<std::size_t>(i) * static_cast<std::size_t>(packetSize), slot,
                    static_cast<std::size_t>(packetSize));
    }
    EXPECT_TRUE(writer.close());
    EXPECT_EQ(writer.written(), static_cast<std::int64_t>(expected.size()));
    return expected;
}

TEST(PacketWriter, FileHoldsExactlyTheSlotsHandedOut) {
    struct Case {
        std::int32_t packetSize;
        int count;
        bool unbuffered;
    };
    // 100 slots: one block written whole, then cut; 48,128 + 200 slots wrap the ring.
    for (const Case c : {Case{192, 100, true}, Case{192, 100, false}, Case{188, 49'152 + 300, true},
                         Case{192, 48'128 + 200, false}, Case{192, 3 * 48'128 + 7, true}}) {
        for (const bool writeBehind : {false, true}) {
            const std::string path = test::tempPath("out");
            const Bytes expected = writeNumbered(path, c.packetSize, c.count, c.unbuffered, writeBehind);
            EXPECT_EQ(test::readFile(path), expected)
                << c.packetSize << " " << c.count << " " << c.unbuffered << " " << writeBehind;
            std::remove(path.c_str());
        }
    }
}

TEST(PacketWriter, NeverOverwritesAnExistingFile) {
    const std::string path = test::tempPath("out");
    test::writeFile(path, {1, 2, 3});
    for (const bool unbuffered : {true, false}) {
        PacketWriter writer;
        EXPECT_FALSE(writer.open(path.c_str(), 192, unbuffered));
    }
    EXPECT_EQ(test::readFile(path), (Bytes{1, 2, 3}));
    std::remove(path.c_str());
}

TEST(PacketWriter, HeldSlotsStayWritableUntilReleased) {
    // Behind 100,000 slots (the ring wrapped, writes on their way), and near the start.
    for (const int before : {500, 100'000}) {
        for (const bool writeBehind : {false, true}) {
            const std::string path = test::tempPath("out");
            platform::BackgroundTransfer transfer;
            PacketWriter writer;
            ASSERT_TRUE(writer.open(path.c_str(), 192, true));
            if (writeBehind) writer.writeBehindThrough(transfer);
            for (int i = 0; i < before; ++i) writer.nextSlot()[0] = 1;
            std::uint8_t* held = writer.nextSlot();
            writer.setHold(true);
            for (int i = 0; i < 40'000; ++i) {
                std::uint8_t* slot = writer.nextSlot();
                ASSERT_NE(slot, nullptr);
                slot[0] = 3;
            }
            held[0] = 2;  // filled in late, still in memory
            writer.setHold(false);
            ASSERT_TRUE(writer.close());
            const Bytes file = test::readFile(path);
            ASSERT_EQ(file.size(), static_cast<std::size_t>(before + 40'001) * 192);
            EXPECT_EQ(file[static_cast<std::size_t>(before) * 192], 2) << before << " " << writeBehind;
            EXPECT_EQ(file[static_cast<std::size_t>(before + 1) * 192], 3) << before << " " << writeBehind;
            EXPECT_EQ(file[static_cast<std::size_t>(before - 1) * 192], 1) << before << " " << writeBehind;
            std::remove(path.c_str());
        }
    }
}

TEST(PacketWriter, HeldRunLongerThanTheRingIsRefused) {
    for (const bool writeBehind : {false, true}) {
        const std::string path = test::tempPath("out");
        platform::BackgroundTransfer transfer;
        PacketWriter writer;
        ASSERT_TRUE(writer.open(path.c_str(), 192, true));
        if (writeBehind) writer.writeBehindThrough(transfer);
        for (int i = 0; i < 1000; ++i) ASSERT_NE(writer.nextSlot(), nullptr);
        writer.setHold(true);
        // Blocks in front of the held run go out when space runs short: the run may fill the
        // ring up to the block that holds its first slot, also while writes are on their way.
        const int room = (PacketWriter::kRingSize - (999 * 192) % 65536) / 192;
        for (int i = 1; i < room; ++i) ASSERT_NE(writer.nextSlot(), nullptr) << i;
        EXPECT_EQ(writer.nextSlot(), nullptr) << writeBehind;
        std::remove(path.c_str());
    }
}

TEST(PacketIo, ConvertingLoopWithWritesBehind) {
    // Reading while earlier blocks are written in the background.
    Bytes file;
    append(file, numberedPackets(20'000, 192));
    const std::string in = test::tempPath("in");
    const std::string out = test::tempPath("out");
    test::writeFile(in, file);
    for (const std::int32_t blocks : {1, 16}) {
        platform::BackgroundTransfer transfer;
        PacketReader reader;
        PacketWriter writer;
        ASSERT_TRUE(reader.open(in.c_str(), 192, blocks, true));
        ASSERT_TRUE(writer.open(out.c_str(), 192, true));
        writer.writeBehindThrough(transfer);
        ASSERT_TRUE(reader.rewind());
        const std::uint8_t* packet = nullptr;
        while (reader.nextPacket(packet) == ReadStatus::Packet) {
            std::uint8_t* slot = writer.nextSlot();
            ASSERT_NE(slot, nullptr);
            std::memcpy(slot, packet, 192);
        }
        ASSERT_TRUE(writer.close());
        reader.close();
        EXPECT_EQ(test::readFile(out), file) << blocks;
        std::remove(out.c_str());
    }
    std::remove(in.c_str());
}

}  // namespace
}  // namespace korvet
