// Section assembly and the two table scans, on streams built packet by packet.
#include <gtest/gtest.h>

#include <functional>

#include "ts/section_crc32.h"
#include "ts_test_support.h"

namespace {

using ts::EventScanResult;
using ts_streams::TsStreamBuilder;
using ts_test::Bytes;
using ts_test::patFor;
using ts_test::presentEit;

constexpr std::uint16_t kService = 0x0400;

Bytes title(int length, std::uint8_t fill = 0x30) { return Bytes(static_cast<std::size_t>(length), fill); }
Bytes eventDescriptors(int titleLength = 4) { return ts_streams::shortEventDescriptor(title(titleLength), {}); }

Bytes withEitTableId(std::uint8_t tableId) {
    ts_streams::EitFields fields;
    fields.tableId = tableId;
    fields.serviceId = kService;
    fields.events = {ts_streams::EitEvent{}};
    fields.events[0].descriptors = eventDescriptors();
    return ts_streams::eitSection(fields);
}

TEST(SectionCrc32, MatchesTheMpegCheckValueAndVanishesOverAnIntactSection) {
    const Bytes check = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
    EXPECT_EQ(ts::sectionCrc32(check), 0x0376E6E7u);
    const Bytes pat = patFor(kService);
    EXPECT_EQ(ts::sectionCrc32(pat), 0u);
    Bytes spoilt = pat;
    spoilt[9] ^= 0x01;
    EXPECT_NE(ts::sectionCrc32(spoilt), 0u);
}

struct ScanCase {
    const char* name;
    Bytes stream;
    EventScanResult expected;
    Bytes expectedSection;  // empty: not checked
};

Bytes stream188(const std::function<void(TsStreamBuilder&)>& build) {
    TsStreamBuilder builder(188);
    build(builder);
    return builder.bytes();
}

TEST(FindEventSection, AcceptsOnlyThePresentEventOfTheFirstProgramme) {
    const Bytes eit = presentEit(kService, eventDescriptors());
    const Bytes longEit = presentEit(kService, eventDescriptors(250));  // spans two packets
    ts_streams::EitFields following;
    following.serviceId = kService;
    following.sectionNumber = 1;
    following.events = {ts_streams::EitEvent{}};
    following.events[0].descriptors = eventDescriptors();
    Bytes badCrc = eit;
    badCrc[20] ^= 0xFF;
    ts_streams::EitFields empty;
    empty.serviceId = kService;  // no event: section_length 15
    const Bytes sit = ts_streams::sitSection({}, {{kService, {}}});

    const ScanCase cases[] = {
        {"PAT then EIT", stream188([&](auto& b) {
             b.addSection(0, patFor(kService));
             b.addSection(0x12, eit);
         }),
         EventScanResult::Eit, eit},
        {"a section spanning packets", stream188([&](auto& b) {
             b.addSection(0, patFor(kService));
             b.addSection(0x12, longEit);
         }),
         EventScanResult::Eit, longEit},
        {"EIT before the PAT is dropped, its repetition accepted", stream188([&](auto& b) {
             b.addSection(0x12, presentEit(kService, eventDescriptors(6)));
             b.addSection(0, patFor(kService));
             b.addSection(0x12, eit);
         }),
         EventScanResult::Eit, eit},
        {"a PAT with only program 0 leaves the scan waiting", stream188([&](auto& b) {
             b.addSection(0, ts_streams::patSection(1, {{0, 0x0010}}));
             b.addSection(0x12, presentEit(kService, eventDescriptors(6)));
             b.addSection(0, patFor(kService));
             b.addSection(0x12, eit);
         }),
         EventScanResult::Eit, eit},
        {"the first PAT wins; a later PAT is ignored", stream188([&](auto& b) {
             b.addSection(0, patFor(kService));
             b.addSection(0, patFor(0x0999));
             b.addSection(0x12, eit);
         }),
         EventScanResult::Eit, eit},
        {"following section, other service, other tables, bad CRC and no event are dropped",
         stream188([&](auto& b) {
             b.addSection(0, patFor(kService));
             b.addSection(0x12, ts_streams::eitSection(following));
             b.addSection(0x12, presentEit(0x0401, eventDescriptors()));
             b.addSection(0x12, withEitTableId(0x4F));
             b.addSection(0x12, withEitTableId(0x50));
             b.addSection(0x12, withEitTableId(0x6F));
             b.addSection(0x12, badCrc);
             b.addSection(0x12, ts_streams::eitSection(empty));
         }),
         EventScanResult::NotFound,
         {}},
        {"an SIT needs no PAT", stream188([&](auto& b) { b.addSection(0x1F, sit); }), EventScanResult::Sit, sit},
        {"SIT first wins over a later EIT", stream188([&](auto& b) {
             b.addSection(0, patFor(kService));
             b.addSection(0x1F, sit);
             b.addSection(0x12, eit);
         }),
         EventScanResult::Sit, sit},
        {"EIT first wins over a later SIT", stream188([&](auto& b) {
             b.addSection(0, patFor(kService));
             b.addSection(0x12, eit);
             b.addSection(0x1F, sit);
         }),
         EventScanResult::Eit, eit},
        {"garbage between packets", stream188([&](auto& b) {
             b.addGarbage(title(50, 0x00));
             b.addFillerPackets(3);
             b.addSection(0, patFor(kService));
             b.addGarbage(title(3, 0x47));  // a false sync: one misaligned packet, then a search
             b.addFillerPackets(3);
             b.addSection(0x12, eit);
             b.addFillerPackets(3);
         }),
         EventScanResult::Eit, eit},
    };
    for (const ScanCase& c : cases) {
        const ts_test::EventScanOutcome outcome = ts_test::runEventScan(c.stream, 188);
        EXPECT_EQ(outcome.result, c.expected) << c.name;
        if (!c.expectedSection.empty()) {
            EXPECT_EQ(outcome.section, c.expectedSection) << c.name;
        }
    }
}

TEST(FindEventSection, CollectsSeveralSectionsInOnePacketAndStopsAtStuffing) {
    const Bytes eit = presentEit(kService, eventDescriptors(10));
    // PAT, following EIT and present EIT back to back on one PID would mix tables; on the EIT
    // PID: a following section and then the present one, in the same packet.
    ts_streams::EitFields following;
    following.serviceId = kService;
    following.sectionNumber = 1;
    following.events = {ts_streams::EitEvent{}};
    following.events[0].descriptors = eventDescriptors(10);
    const Bytes followingEit = ts_streams::eitSection(following);
    ASSERT_LT(followingEit.size() + eit.size(), 183u);
    TsStreamBuilder together(188);
    together.addSection(0, patFor(kService));
    together.addSections(0x12, {followingEit, eit});
    EXPECT_EQ(ts_test::runEventScan(together.bytes(), 188).section, eit);

    // The same packet with 0xFF where the second section would begin: it is not seen.
    TsStreamBuilder stuffed(188);
    stuffed.addSection(0, patFor(kService));
    stuffed.addSections(0x12, {followingEit, Bytes{0xFF}, eit});
    EXPECT_EQ(ts_test::runEventScan(stuffed.bytes(), 188).result, EventScanResult::NotFound);
}

TEST(FindEventSection, SectionBeginningInTheLastBytesOfAPacket) {
    const Bytes eit = presentEit(kService, eventDescriptors(20));
    for (const int lastBytes : {1, 2, 3}) {
        // A following section sized so that the present one begins `lastBytes` before the end
        // of the first packet's payload (183 bytes behind the pointer_field).
        ts_streams::EitFields following;
        following.serviceId = kService;
        following.sectionNumber = 1;
        following.events = {ts_streams::EitEvent{}};
        const int padding = 183 - lastBytes - 37;  // 37: the section without its title bytes
        following.events[0].descriptors = eventDescriptors(padding);
        const Bytes first = ts_streams::eitSection(following);
        ASSERT_EQ(first.size(), static_cast<std::size_t>(183 - lastBytes)) << lastBytes;
        TsStreamBuilder builder(188);
        builder.addSection(0, patFor(kService));
        builder.addSections(0x12, {first, eit});
        const Bytes& bytes = builder.bytes();
        // The PAT fills one packet; the second packet's last `lastBytes` bytes begin the EIT.
        ASSERT_EQ(bytes[static_cast<std::size_t>(188 + 188 - lastBytes)], 0x4E) << lastBytes;
        EXPECT_EQ(ts_test::runEventScan(bytes, 188).section, eit) << lastBytes;
        TsStreamBuilder as192(192);
        as192.addSection(0, patFor(kService));
        as192.addSections(0x12, {first, eit});
        EXPECT_EQ(ts_test::runEventScan(as192.bytes(), 192).section, eit) << lastBytes;
    }
}

TEST(FindEventSection, NeverLooksBeforeItsStartPosition) {
    const Bytes eit = presentEit(kService, eventDescriptors());
    TsStreamBuilder builder(188);
    builder.addSection(0, patFor(kService));
    builder.addSection(0x12, eit);
    builder.addFillerPackets(20);
    EXPECT_EQ(ts_test::runEventScan(builder.bytes(), 188, 0).result, EventScanResult::Eit);
    EXPECT_EQ(ts_test::runEventScan(builder.bytes(), 188, 50).result, EventScanResult::NotFound);
}

TEST(FindEventSection, ToleratesHostilePacketHeaders) {
    // Adaptation fields and pointer_fields that point past the packet, on the listened PIDs.
    const Bytes eit = presentEit(kService, eventDescriptors());
    TsStreamBuilder builder(188);
    Bytes packet(188, 0xFF);
    packet[0] = 0x47;
    for (const std::uint8_t flags : {std::uint8_t{0x30}, std::uint8_t{0x20}}) {
        for (const std::uint8_t adaptationLength :
             {std::uint8_t{182}, std::uint8_t{183}, std::uint8_t{184}, std::uint8_t{255}}) {
            packet[1] = 0x40;
            packet[2] = 0x12;
            packet[3] = flags;
            packet[4] = adaptationLength;
            builder.addRawPacket(packet);
        }
    }
    packet[3] = 0x10;
    packet[4] = 200;  // pointer_field beyond the packet
    builder.addRawPacket(packet);
    packet[1] = 0x40;
    packet[2] = 0x00;
    packet[4] = 0;
    packet[5] = 0x00;
    packet[6] = 0xBF;  // a PAT of section_length 4095: never completes
    packet[7] = 0xFF;
    builder.addRawPacket(packet);
    builder.addSection(0, patFor(kService));
    builder.addSection(0x12, eit);
    EXPECT_EQ(ts_test::runEventScan(builder.bytes(), 188).section, eit);
}

TEST(FindServiceSection, TakesTheFirstActualSdtListingTheService) {
    const Bytes name = ts_streams::serviceDescriptor(1, {}, title(6));
    const Bytes wanted = ts_streams::sdtSection(0x42, 1, 0x7FE0, {{0x0401, {}}, {kService, name}});
    const Bytes otherService = ts_streams::sdtSection(0x42, 1, 0x7FE0, {{0x0401, name}});
    const Bytes otherNetwork = ts_streams::sdtSection(0x46, 1, 0x7FE0, {{kService, name}});
    TsStreamBuilder builder(188);
    builder.addSection(0x11, otherService);
    builder.addSection(0x11, otherNetwork);
    builder.addFillerPackets(2);
    builder.addSection(0x11, wanted);
    EXPECT_EQ(ts_test::runServiceScan(builder.bytes(), 188, kService), wanted);
    EXPECT_TRUE(ts_test::runServiceScan(builder.bytes(), 188, 0x0999).empty());
}

}  // namespace
