#include "rpls/read_rpls_info.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "rpls/rpls_fixture.h"

namespace {

std::vector<std::uint8_t> bytesOf(std::size_t n, std::uint8_t first) {
    std::vector<std::uint8_t> v(n);
    for (std::size_t i = 0; i < n; ++i) v[i] = static_cast<std::uint8_t>(first + i);
    return v;
}

struct Filled {
    bool hasExtText;
    rpls::ProgramInfo info;
};

Filled fill(const std::vector<std::uint8_t>& image) {
    Filled out{};
    std::memset(&out.info, 0, sizeof out.info);
    out.hasExtText = rpls::fillFromRplsImage(rpls::ConstByteView(image.data(), image.size()), out.info);
    return out;
}

TEST(ReadRplsInfo, Layout0108CarriesExtendedTextAndGenrePairs) {
    fixture::RplsFields fields;
    fields.layout = fixture::BlockLayout::Layout0108;
    fields.text = bytesOf(100, 1);
    fields.extText = bytesOf(50, 200);
    fields.title = bytesOf(255, 3);
    fields.channelName = bytesOf(20, 9);
    fields.genres[0] = {true, 0x31};
    fields.genres[2] = {true, 0x7F};
    const auto image = fixture::buildRpls(fields);
    const Filled f = fill(image);

    EXPECT_TRUE(f.hasExtText);
    EXPECT_EQ(f.info.textLength, 100);
    EXPECT_EQ(f.info.textLengthField[0], 0);
    EXPECT_EQ(f.info.textLengthField[1], 100);
    EXPECT_EQ(0, std::memcmp(f.info.text, fields.text.data(), 100));
    ASSERT_EQ(f.info.extTextLength, 50);
    EXPECT_EQ(0, std::memcmp(f.info.extText, image.data() + 446, 50));  // directly behind the description
    EXPECT_EQ(0, std::memcmp(f.info.extText, fields.extText.data(), 50));
    EXPECT_EQ(f.info.titleLength, 255);
    EXPECT_EQ(f.info.channelNameLength, 20);
    EXPECT_EQ(f.info.privateCode, -1);
    EXPECT_EQ(f.info.genres[0].present, 1);
    EXPECT_EQ(f.info.genres[0].value, 0x31);  // stored as is in this layout
    EXPECT_EQ(f.info.genres[1].present, 0);
    EXPECT_EQ(f.info.genres[2].value, 0x7F);
    EXPECT_EQ(0, std::memcmp(f.info.date, fields.date, 4));
    EXPECT_EQ(0, std::memcmp(f.info.startTime, fields.startTime, 3));
    EXPECT_EQ(0, std::memcmp(f.info.duration, fields.duration, 3));
    EXPECT_EQ(0, std::memcmp(f.info.codePair, fields.codePair, 4));
    EXPECT_EQ(f.info.zone, fields.zone);
    EXPECT_EQ(f.info.channelNumber[0], 0x01);
    EXPECT_EQ(f.info.channelNumber[1], 0x01);
}

TEST(ReadRplsInfo, Layout0103GenreCountCodes) {
    struct Case {
        std::uint8_t countCode;
        std::uint8_t stored[3];  // block bytes 177, 178, 179
        int present[3];
        std::uint8_t values[3];
    };
    const Case cases[] = {
        {0xEA, {0xFF, 0xFF, 0x31}, {0, 0, 0}, {0, 0, 0}},
        {0xE9, {0xFF, 0xFF, 0x31}, {1, 0, 0}, {0x13, 0, 0}},
        {0xE5, {0xFF, 0x42, 0x31}, {1, 1, 0}, {0x13, 0x24, 0}},
        {0xD5, {0x53, 0x42, 0x31}, {1, 1, 1}, {0x13, 0x24, 0x35}},
        {0x00, {0x53, 0x42, 0x31}, {0, 0, 0}, {0, 0, 0}},
    };
    for (const auto& c : cases) {
        fixture::RplsFields fields;
        fields.layout = fixture::BlockLayout::Layout0103;
        fields.privateCode = 0xBEEF;
        fields.text = bytesOf(10, 1);
        auto image = fixture::buildRpls(fields);
        image[fields.blockOffset + 176] = c.countCode;
        std::memcpy(&image[fields.blockOffset + 177], c.stored, 3);
        const Filled f = fill(image);
        EXPECT_FALSE(f.hasExtText);
        EXPECT_EQ(f.info.privateCode, 0xBEEF);
        EXPECT_EQ(f.info.extTextLength, 0);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(f.info.genres[i].present, c.present[i]) << std::hex << int{c.countCode} << " entry " << i;
            EXPECT_EQ(f.info.genres[i].value, c.values[i]) << std::hex << int{c.countCode} << " entry " << i;
        }
    }
}

TEST(ReadRplsInfo, WithoutAKnownPrivateBlockNothingOfTheBlockIsRead) {
    for (auto layout : {fixture::BlockLayout::None, fixture::BlockLayout::Unknown}) {
        fixture::RplsFields fields;
        fields.layout = layout;
        fields.text = bytesOf(30, 1);
        const Filled f = fill(fixture::buildRpls(fields));
        EXPECT_FALSE(f.hasExtText);
        EXPECT_EQ(f.info.privateCode, -1);
        EXPECT_EQ(f.info.textLength, 30);
        EXPECT_EQ(f.info.extTextLength, 0);
        EXPECT_EQ(f.info.genres[0].present, 0);
    }
}

TEST(ReadRplsInfo, HostileLengthsAreClampedAndMissingBytesReadAsZero) {
    fixture::RplsFields fields;
    fields.layout = fixture::BlockLayout::Layout0108;
    fields.text = bytesOf(1000, 1);
    auto image = fixture::buildRpls(fields);
    image[67] = 200;                        // channel name length beyond its 20 bytes
    image[344] = 0xFF;                      // text length 0xFFxx
    image[fields.blockOffset + 56] = 0xFF;  // extended text length 0xFFxx
    Filled f = fill(image);
    EXPECT_EQ(f.info.channelNameLength, 20);
    EXPECT_EQ(f.info.textLength, 1200);
    EXPECT_EQ(f.info.textLengthField[0], 1200 >> 8);
    EXPECT_EQ(f.info.textLengthField[1], 1200 & 0xFF);
    EXPECT_EQ(f.info.extTextLength, 0);

    // A file cut inside the text: the fields behind the cut read as zero.
    std::vector<std::uint8_t> shortImage(image.begin(), image.begin() + 400);
    shortImage[344] = 0;
    shortImage[345] = 100;
    f = fill(shortImage);
    EXPECT_FALSE(f.hasExtText);  // the block lies outside the file
    EXPECT_EQ(f.info.textLength, 100);
    EXPECT_EQ(f.info.text[53], 54);  // inside the file
    EXPECT_EQ(f.info.text[54], 0);   // beyond it
}

TEST(ReadRplsInfo, APrivateBlockThatRunsPastTheFileCountsAsNoLayout) {
    fixture::RplsFields fields;
    fields.layout = fixture::BlockLayout::Layout0103;
    auto image = fixture::buildRpls(fields);
    image.resize(fields.blockOffset + 100);  // the layout id is inside, the genres are not
    const Filled f = fill(image);
    EXPECT_EQ(f.info.privateCode, -1);
    EXPECT_EQ(f.info.genres[0].present, 0);
}

}  // namespace
