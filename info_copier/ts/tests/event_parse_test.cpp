// EIT and SDT sections into the record: dates, channel numbers, descriptors and the
// assembly of the extended description.
#include <gtest/gtest.h>

#include "parse_support.h"
#include "ts/broadcast_date.h"
#include "ts/network_key_table.h"

namespace {

using namespace ts_streams;
using ts_test::Bytes;
using ts_test::ParseBench;

Bytes kanji(std::uint8_t low) { return {0x30, low}; }  // 亜 唖 娃 阿 ... from 0x21

Bytes eitWith(const Bytes& descriptors, std::uint16_t serviceId = 0x0400, std::uint16_t networkId = 0x7FE0,
              Bytes durationBcd = {0x00, 0x30, 0x00}) {
    EitFields fields;
    fields.serviceId = serviceId;
    fields.originalNetworkId = networkId;
    EitEvent event;
    event.descriptors = descriptors;
    event.durationBcd = durationBcd;
    fields.events = {event};
    return eitSection(fields);
}

TEST(BroadcastDate, ConvertsModifiedJulianDatesAndPacksThemAsBcd) {
    struct Case {
        std::uint16_t mjd;
        int year, month, day;
        std::array<std::uint8_t, 4> packed;
    };
    const Case cases[] = {
        {0xC079, 1993, 10, 13, {0x19, 0x93, 0x10, 0x13}}, {60340, 2024, 1, 31, {0x20, 0x24, 0x01, 0x31}},
        {60369, 2024, 2, 29, {0x20, 0x24, 0x02, 0x29}},   {51543, 1999, 12, 31, {0x19, 0x99, 0x12, 0x31}},
        {51604, 2000, 3, 1, {0x20, 0x00, 0x03, 0x01}},
    };
    for (const Case& c : cases) {
        const ts::CalendarDate date = ts::mjdToDate(c.mjd);
        EXPECT_EQ(date.year, c.year) << c.mjd;
        EXPECT_EQ(date.month, c.month) << c.mjd;
        EXPECT_EQ(date.day, c.day) << c.mjd;
        EXPECT_EQ(ts::packBcdDate(c.year, c.month, c.day), c.packed) << c.mjd;
    }
}

TEST(EventSection, TakesDateTimesAndAnswersTheServiceId) {
    ParseBench bench;
    EXPECT_EQ(bench.event(eitWith(shortEventDescriptor(kanji(0x21), {}), 0x0432)), 0x0432);
    EXPECT_EQ(Bytes(bench.info.date, bench.info.date + 4), (Bytes{0x20, 0x24, 0x01, 0x31}));
    EXPECT_EQ(Bytes(bench.info.startTime, bench.info.startTime + 3), (Bytes{0x21, 0x00, 0x00}));
    EXPECT_EQ(Bytes(bench.info.duration, bench.info.duration + 3), (Bytes{0x00, 0x30, 0x00}));

    // An undefined duration (any byte 0xFF) keeps what the record held.
    for (const Bytes& undefined : {Bytes{0xFF, 0xFF, 0xFF}, Bytes{0x00, 0xFF, 0x00}}) {
        ParseBench fresh;
        fresh.event(eitWith({}, 0x0400, 0x7FE0, undefined));
        EXPECT_EQ(Bytes(fresh.info.duration, fresh.info.duration + 3), (Bytes{0, 0, 0}));
    }
}

TEST(EventSection, DerivesTheChannelNumberFromNetworkAndService) {
    struct Case {
        std::uint16_t networkId;
        std::uint16_t serviceId;
        int channel;
    };
    const Case cases[] = {
        {0x7FE0, 0x0400, 11},                           // key id 1
        {0x7FE0, 0x0401, 12},  {0x7880, 0x0000, 31},    // first network of the table, key id 3
        {0x7FE8, 0x0407, 128},                          // last network, key id 12
        {0x7D36, 0x0408, 91},                           // key id 9; only the low three bits of the service count
        {0x7C00, 0x0400, 0},                            // terrestrial range, not in the table
        {0x0004, 101, 101},                             // satellite: low ten bits of the service_id
        {0x0004, 0x0400, 0},   {0x7FE9, 0x0465, 0x65},  // just past the terrestrial range
    };
    for (const Case& c : cases) {
        ParseBench bench;
        bench.event(eitWith({}, c.serviceId, c.networkId));
        EXPECT_EQ(bench.channelNumber(), c.channel) << std::hex << c.networkId << " " << c.serviceId;
    }
}

TEST(NetworkKeyTable, HoldsEveryKeyGroup) {
    const std::pair<int, std::uint32_t> samples[] = {
        {0x7C10, 1}, {0x7FE0, 1}, {0x7881, 2}, {0x7FE1, 2}, {0x7880, 3},  {0x7F50, 3},  {0x7C33, 4},
        {0x7FE2, 4}, {0x7C14, 5}, {0x7FE5, 5}, {0x7C42, 6}, {0x7FE3, 6},  {0x7C85, 7},  {0x7FE6, 7},
        {0x7C17, 8}, {0x7FE4, 8}, {0x7D36, 9}, {0x7E87, 9}, {0x7DE6, 10}, {0x7FD5, 10}, {0x7FE8, 12},
        {0x7FE7, 0}, {0x787F, 0}, {0x7FE9, 0}, {0, 0},      {-1, 0},
    };
    for (const auto& [networkId, keyId] : samples)
        EXPECT_EQ(ts::lookupKeyId(networkId), keyId) << std::hex << networkId;
    EXPECT_EQ(ts::deriveChannelNumber(0x0402, 4), 43);
    EXPECT_EQ(ts::deriveChannelNumber(0x0402, 0), 0);
}

TEST(EventSection, CopiesTitleAndDescriptionAsCoded) {
    ParseBench bench;
    const Bytes title(255, 0x31);
    const Bytes text(255, 0x32);
    bench.event(eitWith(shortEventDescriptor(title, text)));
    EXPECT_EQ(bench.info.titleLength, 255);
    EXPECT_EQ(Bytes(bench.info.title, bench.info.title + 255), title);
    EXPECT_EQ(bench.info.textLength, 255);
    EXPECT_EQ(bench.info.textLengthField[0], 0);
    EXPECT_EQ(bench.info.textLengthField[1], 255);
    EXPECT_EQ(Bytes(bench.info.text, bench.info.text + 255), text);
}

TEST(EventSection, TakesUpToThreeGenresPassingOverUserDefinedOnes) {
    using Genres = std::vector<std::pair<int, int>>;
    struct Case {
        const char* name;
        Bytes descriptors;
        Genres expected;
    };
    const Case cases[] = {
        {"fifth entry dropped, 0xE level skipped",
         contentDescriptor({0x01, 0xE0, 0x31, 0x72, 0x80}),
         {{1, 0x01}, {1, 0x31}, {1, 0x72}}},
        {"a second descriptor starts again at the first entry",
         concat({contentDescriptor({0x01, 0x31, 0x72}), contentDescriptor({0x55})}),
         {{1, 0x55}, {1, 0x31}, {1, 0x72}}},
        {"no content descriptor clears the genres", {}, {{0, 0}, {0, 0}, {0, 0}}},
        {"genre 0x00 is a genre", contentDescriptor({0x00}), {{1, 0x00}, {0, 0}, {0, 0}}},
    };
    for (const Case& c : cases) {
        ParseBench bench;
        for (rpls::GenreEntry& genre : bench.info.genres) genre = {1, 0x99};
        bench.event(eitWith(c.descriptors));
        Genres got;
        for (const rpls::GenreEntry& genre : bench.info.genres) got.emplace_back(genre.present, genre.value);
        EXPECT_EQ(got, c.expected) << c.name;
    }
}

TEST(ServiceName, TakesTheNameOfTheWantedServiceCutToTwentyBytes) {
    const Bytes longName(25, 0x41);
    const Bytes sdt =
        sdtSection(0x42, 1, 0x7FE0,
                   {{0x0401, serviceDescriptor(1, {}, Bytes(5, 0x42))},
                    {0x0400, concat({rawDescriptor(0xC1, {1, 2}), serviceDescriptor(1, Bytes(3, 0x50), longName)})}});
    ParseBench bench;
    bench.serviceName(0x0400, sdt);
    EXPECT_EQ(bench.info.channelNameLength, 20);
    EXPECT_EQ(Bytes(bench.info.channelName, bench.info.channelName + 20), Bytes(20, 0x41));

    ParseBench missing;
    missing.serviceName(0x0999, sdt);
    EXPECT_EQ(missing.info.channelNameLength, 0);
}

// The extended description: headings and item texts joined with line breaks, decoded and
// coded again. These need the real text codec.
class ExtendedText : public testing::Test {
protected:
    void expectAssembled(const Bytes& descriptors, const std::u16string& expected) {
        ParseBench bench;
        bench.event(eitWith(descriptors));
        EXPECT_EQ(bench.assembled(), expected);
        EXPECT_EQ(bench.extText(), ts_test::encodedText(expected));
    }
};

TEST_F(ExtendedText, JoinsHeadingsAndItemsWithLineBreaks) {
    expectAssembled(extendedEventDescriptor(0, 0, {{kanji(0x21), kanji(0x22)}, {kanji(0x23), kanji(0x24)}}, {}),
                    u"亜\r\n唖\r\n\r\n娃\r\n阿");
}

TEST_F(ExtendedText, PutsTheDescriptorTextBehindAnEmptyLine) {
    expectAssembled(extendedEventDescriptor(0, 0, {}, kanji(0x21)), u"\r\n\r\n亜");
    expectAssembled(extendedEventDescriptor(0, 0, {{kanji(0x21), kanji(0x22)}}, kanji(0x23)), u"亜\r\n唖\r\n\r\n娃");
}

TEST_F(ExtendedText, DecodesAnItemContinuedInTheNextDescriptorAsOnePiece) {
    // The character 0x30 0x22 is split between the two descriptors.
    const Bytes split = concat({extendedEventDescriptor(0, 1, {{kanji(0x21), {0x30}}}, {}),
                                extendedEventDescriptor(1, 1, {{{}, {0x22}}}, {})});
    expectAssembled(split, u"亜\r\n唖");
}

TEST_F(ExtendedText, EmptyWithoutExtendedDescriptors) {
    ParseBench bench;
    bench.info.extTextLength = 7;
    bench.event(eitWith(shortEventDescriptor(kanji(0x21), {})));
    EXPECT_EQ(bench.info.extTextLength, 0);
    // Nor does an earlier section's text linger in the assembly.
    bench.event(eitWith(extendedEventDescriptor(0, 0, {{kanji(0x21), kanji(0x22)}}, {})));
    EXPECT_GT(bench.info.extTextLength, 0);
    ts_streams::EitFields noEvents;
    bench.event(ts_streams::eitSection(noEvents));
    EXPECT_EQ(bench.info.extTextLength, 0);
}

TEST_F(ExtendedText, IsCutToTheFieldsTwelveHundredBytes) {
    // 15 items of 100 characters, one in each descriptor: far more than 1200 coded bytes.
    Bytes descriptors;
    for (int i = 0; i < 15; ++i) {
        descriptors = concat({descriptors, extendedEventDescriptor(static_cast<std::uint8_t>(i & 15), 15,
                                                                   {{Bytes{0x30, 0x21}, Bytes(200, 0x30)}}, {})});
    }
    ParseBench bench;
    bench.event(eitWith(descriptors));
    EXPECT_LE(bench.info.extTextLength, 1200);
    EXPECT_GT(bench.info.extTextLength, 1000);
}

}  // namespace
