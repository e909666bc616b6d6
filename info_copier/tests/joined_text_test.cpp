#include "rpls/joined_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <numeric>
#include <string>
#include <vector>

#include "arib/arib_text.h"
#include "rpls/patch_destination.h"
#include "rpls/rpls_fixture.h"

namespace {

std::vector<std::uint8_t> encode(const std::u16string& text) {
    std::vector<std::uint8_t> out(4096);
    const int n = arib::encodeAribText(out.data(), static_cast<int>(out.size()), text.data(),
                                       static_cast<int>(text.size()), false);
    out.resize(static_cast<std::size_t>(n));
    return out;
}

std::u16string decode(const std::uint8_t* bytes, int length) {
    static char16_t units[65536];
    const int n = arib::decodeAribText(units, 65536, bytes, length);
    return std::u16string(units, static_cast<std::size_t>(n));
}

rpls::ProgramInfo recordWith(const std::u16string& text, const std::u16string& extText) {
    rpls::ProgramInfo info;
    std::memset(&info, 0, sizeof info);
    const auto t = encode(text);
    const auto e = encode(extText);
    rpls::setTextLength(info, static_cast<std::int32_t>(t.size()));
    std::memcpy(info.text, t.data(), t.size());
    info.extTextLength = static_cast<std::int32_t>(e.size());
    std::memcpy(info.extText, e.data(), e.size());
    return info;
}

std::vector<std::uint8_t> joinInto(fixture::BlockLayout layout, const rpls::ProgramInfo& info,
                                   std::vector<std::uint8_t>* before = nullptr) {
    fixture::RplsFields fields;
    fields.layout = layout;
    fields.text = std::vector<std::uint8_t>(200, 0x30);
    fields.extText = std::vector<std::uint8_t>(40, 0x31);
    auto image = fixture::buildRpls(fields);
    if (before) *before = image;
    common::OptionFlags flags;
    flags.joinTexts = true;
    rpls::patchDestination(rpls::ByteView(image.data(), image.size()), info, flags, true);
    return image;
}

int storedLength(const std::vector<std::uint8_t>& image) { return (image[344] << 8) | image[345]; }

constexpr std::uint32_t kBlock = 0x800;

TEST(JoinDescriptionTexts, DescriptionEmptyLineExtendedText) {
    const rpls::ProgramInfo info = recordWith(u"今日の天気", u"出演：山田太郎");
    const auto image = joinInto(fixture::BlockLayout::Layout0108, info);
    const int length = storedLength(image);
    EXPECT_EQ(decode(&image[346], length), u"今日の天気\r\n\r\n出演：山田太郎");
    EXPECT_EQ(image[kBlock + 56], 0);  // no separate extended text any more
    EXPECT_EQ(image[kBlock + 57], 0);
    EXPECT_EQ(image[kBlock + 58], static_cast<std::uint8_t>(std::accumulate(&image[346], &image[1546], 0u)));
    EXPECT_EQ(image[346 + static_cast<std::size_t>(length)], 0);  // the rest of the text area is cleared
    EXPECT_EQ(image[1545], 0);
}

TEST(JoinDescriptionTexts, AnEmptyDescriptionGetsNoLeadingEmptyLine) {
    const auto image = joinInto(fixture::BlockLayout::Layout0108, recordWith(u"", u"出演：山田太郎"));
    EXPECT_EQ(decode(&image[346], storedLength(image)), u"出演：山田太郎");
    EXPECT_EQ(image[kBlock + 57], 0);
}

TEST(JoinDescriptionTexts, ADescriptionWithoutExtensionEndsWithTwoLineBreaks) {
    const auto image = joinInto(fixture::BlockLayout::Layout0108, recordWith(u"今日の天気", u""));
    const int length = storedLength(image);
    ASSERT_GE(length, 2);
    EXPECT_EQ(image[346 + static_cast<std::size_t>(length) - 2], 0x0D);  // APR
    EXPECT_EQ(image[346 + static_cast<std::size_t>(length) - 1], 0x0D);
    EXPECT_EQ(decode(&image[346], length), u"今日の天気\r\n\r\n");
}

TEST(JoinDescriptionTexts, WithoutLayout0108OnlyTheTextAreaChanges) {
    for (auto layout : {fixture::BlockLayout::None, fixture::BlockLayout::Layout0103}) {
        std::vector<std::uint8_t> before;
        const auto image = joinInto(layout, recordWith(u"A", u"B"), &before);
        for (std::size_t i = 0; i < image.size(); ++i) {
            if (i >= 344 && i < 1546) continue;
            ASSERT_EQ(image[i], before[i]) << "offset " << i;
        }
        EXPECT_EQ(decode(&image[346], storedLength(image)), u"A\r\n\r\nB");
    }
}

TEST(JoinDescriptionTexts, AJoinedTextLongerThanTheFieldIsCutAt1200Bytes) {
    // Each kanji takes two bytes: 400 + 400 of them need 1600 bytes and more.
    const rpls::ProgramInfo info = recordWith(std::u16string(400, u'亜'), std::u16string(400, u'唖'));
    const auto image = joinInto(fixture::BlockLayout::Layout0108, info);
    EXPECT_EQ(storedLength(image), 1200);
    EXPECT_NE(image[1545], 0);
    EXPECT_EQ(image[kBlock + 58], static_cast<std::uint8_t>(std::accumulate(&image[346], &image[1546], 0u)));
    EXPECT_EQ(image[kBlock + 57], 0);
}

}  // namespace
