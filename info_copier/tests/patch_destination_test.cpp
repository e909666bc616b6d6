#include "rpls/patch_destination.h"

#include <gtest/gtest.h>

#include <cstring>
#include <numeric>
#include <vector>

#include "rpls/read_rpls_info.h"
#include "rpls/rpls_fixture.h"

namespace {

std::vector<std::uint8_t> bytesOf(std::size_t n, std::uint8_t first) {
    std::vector<std::uint8_t> v(n);
    for (std::size_t i = 0; i < n; ++i) v[i] = static_cast<std::uint8_t>(first + i);
    return v;
}

// A record whose every field differs from the fixture's defaults.
rpls::ProgramInfo sourceRecord() {
    rpls::ProgramInfo info;
    std::memset(&info, 0, sizeof info);
    const std::uint8_t date[4] = {0x19, 0x99, 0x12, 0x31};
    std::memcpy(info.date, date, 4);
    const std::uint8_t start[3] = {0x23, 0x59, 0x58};
    std::memcpy(info.startTime, start, 3);
    const std::uint8_t duration[3] = {0x01, 0x02, 0x03};
    std::memcpy(info.duration, duration, 3);
    info.zone = 0x77;
    const std::uint8_t pair[4] = {0xAA, 0xBB, 0xCC, 0xDD};
    std::memcpy(info.codePair, pair, 4);
    info.privateCode = 0x4321;
    info.channelNumber[0] = 0x04;
    info.channelNumber[1] = 0x56;
    info.channelNameLength = 3;
    std::memset(info.channelName, 0x61, 20);
    info.titleLength = 4;
    std::memset(info.title, 0x62, 255);
    rpls::setTextLength(info, 80);
    std::memset(info.text, 0x63, 80);
    info.extTextLength = 40;
    std::memset(info.extText, 0x64, 40);
    info.genres[0] = {1, 0x12};
    info.genres[1] = {1, 0x34};
    return info;
}

std::vector<std::size_t> changedOffsets(const std::vector<std::uint8_t>& before,
                                        const std::vector<std::uint8_t>& after) {
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i] != after[i]) changed.push_back(i);
    }
    return changed;
}

void patch(std::vector<std::uint8_t>& image, const rpls::ProgramInfo& info, const common::OptionFlags& flags,
           bool sourceHasExtText = true) {
    rpls::patchDestination(rpls::ByteView(image.data(), image.size()), info, flags, sourceHasExtText);
}

std::uint8_t checksumOf(const std::vector<std::uint8_t>& image) {
    return static_cast<std::uint8_t>(std::accumulate(image.begin() + 346, image.begin() + 1546, 0u));
}

TEST(PatchDestination, EachSimpleGroupWritesOnlyItsOwnBytes) {
    struct Case {
        const char* name;
        bool common::OptionFlags::*flag;
        std::size_t first;
        std::size_t end;  // one past the last byte the group may change
    };
    const Case cases[] = {
        {"date", &common::OptionFlags::copyDate, 50, 54},
        {"start time", &common::OptionFlags::setStartTime, 54, 57},
        {"duration", &common::OptionFlags::copyDuration, 57, 60},
        {"zone", &common::OptionFlags::setZone, 48, 49},
        {"code pair", &common::OptionFlags::copyCodePair, 60, 64},
        {"channel number", &common::OptionFlags::setChannelNumber, 64, 66},
        {"channel name with all 20 bytes", &common::OptionFlags::copyChannelName, 67, 88},
        {"title with all 255 bytes", &common::OptionFlags::setTitle, 88, 344},
    };
    const rpls::ProgramInfo info = sourceRecord();
    for (const auto& c : cases) {
        fixture::RplsFields fields;
        const auto before = fixture::buildRpls(fields);
        auto after = before;
        common::OptionFlags flags;
        flags.*c.flag = true;
        patch(after, info, flags);
        const auto changed = changedOffsets(before, after);
        ASSERT_FALSE(changed.empty()) << c.name;
        EXPECT_GE(changed.front(), c.first) << c.name;
        EXPECT_LT(changed.back(), c.end) << c.name;
    }
    // The channel name's bytes beyond its length are copied too.
    fixture::RplsFields fields;
    auto image = fixture::buildRpls(fields);
    common::OptionFlags flags;
    flags.copyChannelName = true;
    patch(image, info, flags);
    EXPECT_EQ(image[67], 3);
    EXPECT_EQ(image[87], 0x61);
}

TEST(PatchDestination, NewDescriptionKeepsTheImagesOwnExtendedTextBehindIt) {
    fixture::RplsFields fields;
    fields.text = bytesOf(100, 1);
    fields.extText = bytesOf(50, 150);
    auto image = fixture::buildRpls(fields);
    const std::uint32_t block = fields.blockOffset;
    common::OptionFlags flags;
    flags.copyText = true;
    patch(image, sourceRecord(), flags);

    EXPECT_EQ(image[344], 0);
    EXPECT_EQ(image[345], 80);
    EXPECT_EQ(image[346], 0x63);
    EXPECT_EQ(image[425], 0x63);
    EXPECT_EQ(0, std::memcmp(&image[426], fields.extText.data(), 50));  // moved from 446 to 426
    EXPECT_EQ(image[476], 0);
    EXPECT_EQ(image[block + 56], 0);
    EXPECT_EQ(image[block + 57], 50);
    EXPECT_EQ(image[block + 58], checksumOf(image));
}

TEST(PatchDestination, ExtendedTextIsCutToTheRoomBehindTheDescription) {
    fixture::RplsFields fields;
    fields.text = bytesOf(100, 1);
    fields.extText = bytesOf(50, 150);
    auto image = fixture::buildRpls(fields);
    rpls::ProgramInfo info = sourceRecord();
    info.extTextLength = 1150;
    std::memset(info.extText, 0x5A, 1150);
    common::OptionFlags flags;
    flags.copyExtText = true;
    patch(image, info, flags);

    EXPECT_EQ(image[345], 100);  // the description stays
    EXPECT_EQ(0, std::memcmp(&image[346], fields.text.data(), 100));
    EXPECT_EQ(image[446], 0x5A);
    EXPECT_EQ(image[1545], 0x5A);
    const auto n = static_cast<std::size_t>((image[fields.blockOffset + 56] << 8) | image[fields.blockOffset + 57]);
    EXPECT_EQ(n, 1100u);
    EXPECT_EQ(image[fields.blockOffset + 58], checksumOf(image));
}

TEST(PatchDestination, ExtendedTextFromASourceWithoutOneKeepsTheImagesOwn) {
    fixture::RplsFields fields;
    fields.text = bytesOf(20, 1);
    fields.extText = bytesOf(30, 150);
    const auto before = fixture::buildRpls(fields);
    auto image = before;
    common::OptionFlags flags;
    flags.copyExtText = true;
    patch(image, sourceRecord(), flags, /*sourceHasExtText=*/false);
    EXPECT_EQ(image, before);
}

TEST(PatchDestination, TextWithoutPrivateBlockReplacesTheWholeTextArea) {
    for (auto layout : {fixture::BlockLayout::None, fixture::BlockLayout::Layout0103}) {
        fixture::RplsFields fields;
        fields.layout = layout;
        fields.text = bytesOf(300, 1);
        const auto before = fixture::buildRpls(fields);
        auto image = before;
        common::OptionFlags flags;
        flags.copyExtText = true;  // extended text alone has no place here
        patch(image, sourceRecord(), flags);
        EXPECT_EQ(image, before);

        flags.copyText = true;
        patch(image, sourceRecord(), flags);
        EXPECT_EQ(image[345], 80);
        EXPECT_EQ(image[425], 0x63);
        EXPECT_EQ(image[426], 0);  // the rest of the old description is cleared
        EXPECT_EQ(image[645], 0);
        const auto changed = changedOffsets(before, image);
        EXPECT_GE(changed.front(), 344u);
        EXPECT_LT(changed.back(), 1546u);
    }
}

TEST(PatchDestination, Layout0103GenresAndCountCode) {
    struct Case {
        const char* name;
        rpls::GenreEntry genres[3];
        std::uint8_t expected[4];  // block bytes 176..179
    };
    const Case cases[] = {
        {"none erases earlier genres", {{0, 0}, {0, 0}, {0, 0}}, {0xEA, 0xFF, 0xFF, 0xFF}},
        {"one", {{1, 0x12}, {0, 0}, {0, 0}}, {0xE9, 0xFF, 0xFF, 0x21}},
        {"entries 1 and 2", {{1, 0x12}, {1, 0x34}, {0, 0}}, {0xE5, 0xFF, 0x43, 0x21}},
        {"three", {{1, 0x12}, {1, 0x34}, {1, 0x56}}, {0xD5, 0x65, 0x43, 0x21}},
        {"only entry 3: count code of the last present entry", {{0, 0}, {0, 0}, {1, 0x56}}, {0xD5, 0x65, 0xFF, 0xFF}},
        {"present must be exactly 1", {{2, 0x12}, {0, 0}, {0, 0}}, {0xEA, 0xFF, 0xFF, 0xFF}},
    };
    for (const auto& c : cases) {
        fixture::RplsFields fields;
        fields.layout = fixture::BlockLayout::Layout0103;
        fields.genres[0] = {true, 0x99};
        fields.genres[1] = {true, 0x88};
        fields.genres[2] = {true, 0x77};
        auto image = fixture::buildRpls(fields);
        rpls::ProgramInfo info = sourceRecord();
        std::memcpy(info.genres, c.genres, sizeof info.genres);
        common::OptionFlags flags;
        flags.copyGenres = true;
        patch(image, info, flags);
        EXPECT_EQ(0, std::memcmp(&image[fields.blockOffset + 176], c.expected, 4)) << c.name;
    }
}

TEST(PatchDestination, Layout0108GenresAreWrittenAsPairsEmptyOnesToo) {
    fixture::RplsFields fields;
    fields.genres[2] = {true, 0x99};
    auto image = fixture::buildRpls(fields);
    common::OptionFlags flags;
    flags.setGenres = true;
    patch(image, sourceRecord(), flags);
    const std::uint32_t b = fields.blockOffset;
    const std::uint8_t expected[10] = {1, 0x12, 0, 0, 1, 0x34, 0, 0, 0, 0};
    EXPECT_EQ(0, std::memcmp(&image[b + 28], expected, 10));
}

TEST(PatchDestination, PrivateCodeOnlyInLayout0103AndOnlyWhenTheSourceHasOne) {
    rpls::ProgramInfo info = sourceRecord();
    common::OptionFlags flags;
    flags.copyPrivateCode = true;
    for (auto layout : {fixture::BlockLayout::None, fixture::BlockLayout::Layout0108}) {
        fixture::RplsFields fields;
        fields.layout = layout;
        const auto before = fixture::buildRpls(fields);
        auto image = before;
        patch(image, info, flags);
        EXPECT_EQ(image, before);
    }
    fixture::RplsFields fields;
    fields.layout = fixture::BlockLayout::Layout0103;
    fields.privateCode = 0x1111;
    const auto before = fixture::buildRpls(fields);
    auto image = before;
    info.privateCode = -1;
    patch(image, info, flags);
    EXPECT_EQ(image, before);
    info.privateCode = 0;
    patch(image, info, flags);
    EXPECT_EQ(image[fields.blockOffset + 168], 0);
    EXPECT_EQ(image[fields.blockOffset + 169], 0);
}

TEST(PatchDestination, RefusesImagesThatCannotTakeThePatch) {
    fixture::RplsFields fields;
    fields.layout = fixture::BlockLayout::Layout0103;
    auto image = fixture::buildRpls(fields);
    EXPECT_TRUE(rpls::isPatchableImage(rpls::ConstByteView(image.data(), image.size())));

    auto cutBlock = image;
    cutBlock.resize(fields.blockOffset + 170);  // layout id inside, genre bytes outside
    EXPECT_FALSE(rpls::isPatchableImage(rpls::ConstByteView(cutBlock.data(), cutBlock.size())));

    fixture::RplsFields none;
    none.layout = fixture::BlockLayout::None;
    auto shortImage = fixture::buildRpls(none);
    shortImage.resize(1545);
    EXPECT_FALSE(rpls::isPatchableImage(rpls::ConstByteView(shortImage.data(), shortImage.size())));
    shortImage.resize(1546);
    EXPECT_TRUE(rpls::isPatchableImage(rpls::ConstByteView(shortImage.data(), shortImage.size())));
}

TEST(PatchDestination, AnOversizedTextLengthInTheImageStaysInsideTheTextArea) {
    fixture::RplsFields fields;
    fields.text = bytesOf(100, 1);
    auto image = fixture::buildRpls(fields);
    image[344] = 0xFF;
    image[345] = 0xFF;
    image[fields.blockOffset + 56] = 0xFF;
    const auto before = image;
    common::OptionFlags flags;
    flags.copyExtText = true;
    patch(image, sourceRecord(), flags);
    // The description is taken as 1200 bytes, so no room is left for an extended text.
    EXPECT_EQ(image[fields.blockOffset + 56], 0);
    EXPECT_EQ(image[fields.blockOffset + 57], 0);
    const auto changed = changedOffsets(before, image);
    for (std::size_t offset : changed) {
        EXPECT_TRUE((offset >= 344 && offset < 1546) ||
                    (offset >= fields.blockOffset + 56 && offset <= fields.blockOffset + 58))
            << offset;
    }
}

}  // namespace
