#include "platform/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Utf8Case {
    const char* name;
    const char* input;
    std::int64_t expectedCount;  // -1: refused
    std::u16string expected;
};

TEST(Utf8ToUtf16, ConvertsOrRefuses) {
    const Utf8Case cases[] = {
        {"ascii", "abc", 3, u"abc"},
        {"empty", "", 0, u""},
        {"kanji", "\xE7\x95\xAA\xE7\xB5\x84", 2, u"番組"},
        {"supplementary as a pair", "\xF0\xA0\x80\x8B", 2, u"\U0002000B"},
        {"lone continuation byte", "\x80", -1, u""},
        {"truncated sequence", "\xE7\x95", -1, u""},
        {"overlong slash", "\xC0\xAF", -1, u""},
        {"encoded surrogate", "\xED\xA0\x80", -1, u""},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", -1, u""},
        {"latin-1 byte", "caf\xE9", -1, u""},
    };
    for (const auto& c : cases) {
        char16_t out[16] = {};
        const auto n = platform::utf8ToUtf16(c.input, out, 16);
        EXPECT_EQ(n, c.expectedCount) << c.name;
        if (n >= 0) {
            EXPECT_EQ(std::u16string(out, static_cast<std::size_t>(n)), c.expected) << c.name;
        }
    }
}

TEST(Utf8ToUtf16, RefusesTextLongerThanTheCapacity) {
    char16_t out[2];
    EXPECT_EQ(platform::utf8ToUtf16("ab", out, 2), 2);
    EXPECT_EQ(platform::utf8ToUtf16("abc", out, 2), -1);
    EXPECT_EQ(platform::utf8ToUtf16("a\xF0\xA0\x80\x8B", out, 2), -1);  // the pair would be cut
}

}  // namespace
