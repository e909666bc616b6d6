// Selection information sections of partial streams into the record: the two forms.
#include <gtest/gtest.h>

#include "parse_support.h"
#include "ts_packets.h"

namespace {

using namespace ts_streams;
using ts_test::Bytes;
using ts_test::ParseBench;

constexpr std::uint16_t kNameBlocksMedia = 0x4353;
constexpr std::uint16_t kTerrestrialMedia = 0x5442;

// Descriptor 0xB2: (length, kind, text) for the channel name, then for the title.
Bytes nameBlocks(const Bytes& name, const Bytes& title, std::uint8_t kind = 1) {
    const Bytes nameHead = {static_cast<std::uint8_t>(name.size() + 1), kind};
    const Bytes titleHead = {static_cast<std::uint8_t>(title.size() + 1), 0x02};
    return rawDescriptor(0xB2, joined({nameHead, name, titleHead, title}));
}

TEST(SelectionSection, FormBChannelNumbers) {
    struct Case {
        const char* name;
        Bytes transmission;
        std::uint16_t serviceId;
        int channel;
    };
    const Case cases[] = {
        {"no network identification: low ten bits", {}, 0x0465, 0x65},
        {"media 0x4353 with network 2 is form B", networkIdentificationDescriptor(kNameBlocksMedia, 2), 0x0465, 0x65},
        {"terrestrial, key id from the TS information descriptor",
         concat({networkIdentificationDescriptor(kTerrestrialMedia, 0x7FE0), tsInformationDescriptor(4)}), 0x0402, 43},
        {"terrestrial, key id 0 falls back to the table",
         concat({networkIdentificationDescriptor(kTerrestrialMedia, 0x7FE0), tsInformationDescriptor(0)}), 0x0402, 13},
        {"terrestrial, unknown network", networkIdentificationDescriptor(kTerrestrialMedia, 0x1234), 0x0402, 0},
        {"a later descriptor of the same tag overwrites",
         concat(
             {networkIdentificationDescriptor(kTerrestrialMedia, 0x7FE0), networkIdentificationDescriptor(0x4242, 1)}),
         0x0402, 0x02},
    };
    for (const Case& c : cases) {
        ParseBench bench;
        bench.selection(sitSection(c.transmission, {{c.serviceId, {}}}));
        EXPECT_EQ(bench.channelNumber(), c.channel) << c.name;
    }
}

TEST(SelectionSection, FormBUsesTheEventDescriptorsAndTheServiceName) {
    ParseBench bench;
    for (rpls::GenreEntry& genre : bench.info.genres) genre = {1, 0x99};
    const Bytes descriptors =
        concat({serviceDescriptor(1, {}, Bytes(25, 0x41)), shortEventDescriptor(Bytes(3, 0x31), Bytes(4, 0x32)),
                partialTsTimeDescriptor(60340, {0x19, 0x30, 0x00}, {0x01, 0x00, 0x00}), contentDescriptor({0x31})});
    bench.selection(sitSection({}, {{0x0101, descriptors}}));
    EXPECT_EQ(bench.info.channelNameLength, 20);
    EXPECT_EQ(bench.info.titleLength, 3);
    EXPECT_EQ(bench.info.textLength, 4);
    EXPECT_EQ(Bytes(bench.info.date, bench.info.date + 4), (Bytes{0x20, 0x24, 0x01, 0x31}));
    EXPECT_EQ(Bytes(bench.info.startTime, bench.info.startTime + 3), (Bytes{0x19, 0x30, 0x00}));
    EXPECT_EQ(Bytes(bench.info.duration, bench.info.duration + 3), (Bytes{0x01, 0x00, 0x00}));
    EXPECT_EQ(bench.info.genres[0].value, 0x31);
    EXPECT_EQ(bench.info.genres[1].present, 0);
    EXPECT_EQ(bench.info.extTextLength, 0);
}

TEST(SelectionSection, FormBKeepsTheExtendedTextOfTheLastServiceOnly) {
    const Bytes first = extendedEventDescriptor(0, 0, {{{0x30, 0x21}, {0x30, 0x22}}}, {});
    const Bytes pendingOnly = extendedEventDescriptor(0, 0, {{{0x30, 0x23}, {0x30, 0x24}}}, {});
    ParseBench bench;
    bench.selection(sitSection({}, {{1, first}, {2, pendingOnly}}));
    EXPECT_EQ(bench.assembled(), u"娃\r\n阿");
    EXPECT_EQ(bench.extText(), ts_test::encodedText(u"娃\r\n阿"));

    ParseBench noServices;
    noServices.info.extTextLength = 9;
    noServices.selection(sitSection({}, {}));
    EXPECT_EQ(noServices.info.extTextLength, 0);
}

TEST(SelectionSection, FormACopiesNamesAndTextsAsCoded) {
    const Bytes transmission = networkIdentificationDescriptor(kNameBlocksMedia, 3);
    const Bytes descriptors =
        concat({nameBlocks(Bytes(29, 0x41), Bytes(7, 0x42)), rawDescriptor(0x83, concat({{0xEE}, Bytes(9, 0x43)})),
                rawDescriptor(0x83, concat({{0xEE}, Bytes(19, 0x44)})), rawDescriptor(0x83, {}),
                partialTsTimeDescriptor(60340, {0x07, 0x00, 0x00}, {0xFF, 0xFF, 0xFF})});
    ParseBench bench;
    for (rpls::GenreEntry& genre : bench.info.genres) genre = {1, 0x99};
    bench.selection(sitSection(transmission, {{0x0765, descriptors}}));
    EXPECT_EQ(bench.channelNumber(), 0x0365);
    EXPECT_EQ(bench.info.channelNameLength, 20);  // a 30-byte block: the first 20 text bytes
    EXPECT_EQ(Bytes(bench.info.channelName, bench.info.channelName + 20), Bytes(20, 0x41));
    EXPECT_EQ(bench.info.titleLength, 7);
    EXPECT_EQ(Bytes(bench.info.title, bench.info.title + 7), Bytes(7, 0x42));
    EXPECT_EQ(bench.extText(), concat({Bytes(9, 0x43), Bytes(19, 0x44)}));
    EXPECT_EQ(Bytes(bench.info.startTime, bench.info.startTime + 3), (Bytes{0x07, 0x00, 0x00}));
    EXPECT_EQ(Bytes(bench.info.duration, bench.info.duration + 3), (Bytes{0, 0, 0}));
    EXPECT_EQ(bench.info.textLength, 0);
    EXPECT_EQ(bench.info.genres[0].present, 0);
}

TEST(SelectionSection, FormANameBlocksEdgeCases) {
    const Bytes transmission = networkIdentificationDescriptor(kNameBlocksMedia, 1);
    struct Case {
        const char* name;
        Bytes descriptor;
        int nameLength;
        int titleLength;
    };
    const Case cases[] = {
        {"empty blocks", rawDescriptor(0xB2, {0x00, 0x01, 0x00, 0x00}), 0, 0},
        {"kind other than 1 is skipped", nameBlocks(Bytes(5, 0x41), Bytes(5, 0x42), 2), 0, 0},
        {"a long title", nameBlocks(Bytes(2, 0x41), Bytes(249, 0x42)), 2, 249},
    };
    for (const Case& c : cases) {
        ParseBench bench;
        bench.selection(sitSection(transmission, {{1, c.descriptor}}));
        EXPECT_EQ(bench.info.channelNameLength, c.nameLength) << c.name;
        EXPECT_EQ(bench.info.titleLength, c.titleLength) << c.name;
    }
}

TEST(SelectionSection, FormATextStopsAtTwelveHundredBytes) {
    Bytes descriptors;
    for (int i = 0; i < 6; ++i)
        descriptors = concat({descriptors, rawDescriptor(0x83, concat({{0}, Bytes(250, 0x45)}))});
    ParseBench bench;
    bench.selection(sitSection(networkIdentificationDescriptor(kNameBlocksMedia, 1), {{1, descriptors}}));
    EXPECT_EQ(bench.info.extTextLength, 1200);
}

}  // namespace
