#include "app/parameters.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/line_breaks.h"
#include "app/number_scan.h"
#include "arib/arib_text.h"

namespace {

struct Applied {
    bool ok;
    std::string output;
    rpls::ProgramInfo info;
};

// Parses a parameter-mode command line (a destination name is appended) and applies it.
Applied apply(std::vector<const char*> args) {
    args.insert(args.begin(), "tolvane");
    args.push_back("dst.rpls");
    Applied out{};
    std::memset(&out.info, 0, sizeof out.info);
    common::OptionFlags flags;
    common::ArgumentSlots slots;
    testing::internal::CaptureStdout();
    const bool parsed = app::parseCommandLine(static_cast<int>(args.size()), args.data(), flags, slots);
    out.ok = parsed && app::applyParameters(out.info, slots, args.data(), flags);
    out.output = testing::internal::GetCapturedStdout();
    return out;
}

std::vector<std::uint8_t> bytes(const std::uint8_t* p, std::size_t n) { return {p, p + n}; }

TEST(ApplyParameters, NumbersAndTheirBytes) {
    struct Case {
        std::vector<const char*> args;
        std::vector<std::uint8_t> expected;
        std::vector<std::uint8_t> (*field)(const rpls::ProgramInfo&);
    };
    auto date = [](const rpls::ProgramInfo& i) { return bytes(i.date, 4); };
    auto start = [](const rpls::ProgramInfo& i) { return bytes(i.startTime, 3); };
    auto duration = [](const rpls::ProgramInfo& i) { return bytes(i.duration, 3); };
    auto zone = [](const rpls::ProgramInfo& i) { return bytes(&i.zone, 1); };
    auto pair = [](const rpls::ProgramInfo& i) { return bytes(i.codePair, 4); };
    auto channel = [](const rpls::ProgramInfo& i) { return bytes(i.channelNumber, 2); };
    auto genres = [](const rpls::ProgramInfo& i) {
        return std::vector<std::uint8_t>{i.genres[0].present, i.genres[0].value,   i.genres[1].present,
                                         i.genres[1].value,   i.genres[2].present, i.genres[2].value};
    };
    const Case cases[] = {
        {{"-D", "2024/1/31"}, {0x20, 0x24, 0x01, 0x31}, date},
        {{"-D", "2024/2/31"}, {0x20, 0x24, 0x02, 0x31}, date},  // no test of the month's length
        {{"-D", "1/1/1"}, {0x00, 0x01, 0x01, 0x01}, date},
        {{"-D", " 9999/ 12/ 1 and more"}, {0x99, 0x99, 0x12, 0x01}, date},
        {{"-T", "23:59:59"}, {0x23, 0x59, 0x59}, start},
        {{"-P", "0:0:0"}, {0x00, 0x00, 0x00}, duration},
        {{"-P", "23:59:59"}, {0x23, 0x59, 0x59}, duration},
        {{"-Z", "255"}, {0xFF}, zone},
        {{"-Z", "abc"}, {0x00}, zone},
        {{"-M", "258/1"}, {0x01, 0x02, 0x00, 0x01}, pair},
        {{"-N", "65535"}, {0xFF, 0xFF}, channel},
        {{"-N", "0x10"}, {0x00, 0x00}, channel},  // decimal reading stops at the x
        {{"-G", "0x33", "-G", "51", "-G", "010"}, {1, 0x33, 1, 0x33, 1, 0x08}, genres},
        {{"-G", "0X1f"}, {1, 0x1F, 0, 0, 0, 0}, genres},
    };
    for (const auto& c : cases) {
        const Applied a = apply(c.args);
        ASSERT_TRUE(a.ok) << c.args[0] << " " << c.args[1] << ": " << a.output;
        EXPECT_EQ(c.field(a.info), c.expected) << c.args[0] << " " << c.args[1];
    }
}

TEST(ApplyParameters, RejectedValuesPrintTheOptionsMessage) {
    struct Case {
        std::vector<const char*> args;
        char option;
    };
    const Case cases[] = {
        {{"-D", "0/1/1"}, 'D'},
        {{"-D", "2024/13/1"}, 'D'},
        {{"-D", "2024/1/32"}, 'D'},
        {{"-D", "2024-01-31"}, 'D'},
        {{"-D", "2024/1"}, 'D'},
        {{"-D", "99999999999999999999/1/1"}, 'D'},
        {{"-T", "24:00:00"}, 'T'},
        {{"-T", "12:60:00"}, 'T'},
        {{"-P", "-1:00:00"}, 'P'},
        {{"-Z", "-1"}, 'Z'},
        {{"-Z", "256"}, 'Z'},
        {{"-Z", "4294967296"}, 'Z'},  // saturates instead of wrapping to 0
        {{"-M", "1/65536"}, 'M'},
        {{"-M", "1"}, 'M'},
        {{"-S", "ABC"}, 'S'},
        {{"-S", "A"}, 'S'},
        {{"-N", "70000"}, 'N'},
        {{"-G", "256"}, 'G'},
        {{"-G", "1", "-G", "-1"}, 'G'},
        {{"-B", "\xFF\xFE"}, 'B'},                  // not UTF-8
        {{"-C", "\xC0\xAF"}, 'C'},                  // overlong form
        {{"-I", "ok", "-E", "\xED\xA0\x80"}, 'E'},  // encoded surrogate
        {{"-Z", "1", "-D", "0/0/0"}, 'D'},          // options are tested in a fixed order
    };
    for (const auto& c : cases) {
        const Applied a = apply(c.args);
        EXPECT_FALSE(a.ok) << c.args[0] << " " << c.args[1];
        EXPECT_EQ(a.output, std::string("-") + c.option + " オプションの引数が異常です.\n")
            << c.args[0] << " " << c.args[1];
    }
}

TEST(ApplyParameters, AnOptionWithNoValueFailsWithItsMessage) {
    const char* args[] = {"tolvane", "dst.rpls", "-D"};
    common::OptionFlags flags;
    common::ArgumentSlots slots;
    rpls::ProgramInfo info{};
    testing::internal::CaptureStdout();
    ASSERT_TRUE(app::parseCommandLine(3, args, flags, slots));
    EXPECT_FALSE(app::applyParameters(info, slots, args, flags));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "-D オプションの引数が異常です.\n");
}

TEST(ApplyParameters, PrivateCodeFromTwoCharacters) {
    struct Case {
        const char* value;
        std::int32_t expected;
    } cases[] = {{"00", 0},
                 {"AB", 0x4142},
                 {"01", 0x3031},
                 {"\xE3\x81\x82"
                  "B",
                  0x4242}};  // あ = U+3042
    for (const auto& c : cases) {
        const Applied a = apply({"-S", c.value});
        ASSERT_TRUE(a.ok) << c.value;
        EXPECT_EQ(a.info.privateCode, c.expected) << c.value;
    }
}

TEST(ExpandLineBreaks, BackslashNBecomesCrLf) {
    struct Case {
        std::u16string in;
        std::u16string out;
    } cases[] = {
        {u"a\\nb", u"a\r\nb"}, {u"\\n\\n", u"\r\n\r\n"}, {u"a\\b\\", u"a\\b\\"},
        {u"\\\\n", u"\\\r\n"}, {u"\\N", u"\\N"},         {u"", u""},
    };
    static char16_t out[app::kExpandedTextCapacity];
    for (const auto& c : cases) {
        const int n = app::expandLineBreaks(c.in.data(), static_cast<int>(c.in.size()), out);
        EXPECT_EQ(std::u16string(out, static_cast<std::size_t>(n)), c.out);
        EXPECT_EQ(out[n], 0);
    }
}

TEST(ExpandLineBreaks, StopsStoringAtTheCapacity) {
    // Work areas for decoded text hold 65,536 units.
    std::u16string in(65'535, u'a');
    in += u"\\n";
    static char16_t out[app::kExpandedTextCapacity];
    const int n = app::expandLineBreaks(in.data(), static_cast<int>(in.size()), out);
    EXPECT_EQ(n, 65'536);
    EXPECT_EQ(out[n - 1], u'\r');
}

TEST(NumberScan, ReadingsSaturateAndFollowTheirPrefixes) {
    EXPECT_EQ(app::parsePrefixed("  -0x10"), -16);
    EXPECT_EQ(app::parsePrefixed("0x"), 0);
    EXPECT_EQ(app::parsePrefixed("019"), 1);  // octal stops at 9
    EXPECT_EQ(app::parsePrefixed("99999999999999999999999"), LLONG_MAX);
    EXPECT_EQ(app::parseDecimal("-99999999999999999999999"), -LLONG_MAX);
    long long v[3];
    EXPECT_FALSE(app::scanSeparatedNumbers("1 /2/3", '/', 3, v));  // the separator must follow directly
    EXPECT_FALSE(app::scanSeparatedNumbers("1/-/3", '/', 3, v));
    EXPECT_TRUE(app::scanSeparatedNumbers("+1/-2/3x", '/', 3, v));
    EXPECT_EQ(v[1], -2);
}

std::u16string decoded(const std::uint8_t* bytes, int length) {
    static char16_t units[65536];
    const int n = arib::decodeAribText(units, 65536, bytes, length);
    return std::u16string(units, static_cast<std::size_t>(n));
}

TEST(ApplyParameters, TextsAreCodedIntoTheirFields) {
    const Applied a =
        apply({"-C", "ＮＨＫ総合", "-B", "朝のニュース Vol.2", "-I", "一行目\\n二行目", "-E", "出演：\\n山田"});
    ASSERT_TRUE(a.ok) << a.output;
    EXPECT_EQ(decoded(a.info.channelName, a.info.channelNameLength), u"ＮＨＫ総合");
    EXPECT_EQ(decoded(a.info.title, a.info.titleLength), u"朝のニュース Vol.2");
    EXPECT_EQ(decoded(a.info.text, a.info.textLength), u"一行目\r\n二行目");
    EXPECT_EQ((a.info.textLengthField[0] << 8) | a.info.textLengthField[1], a.info.textLength);
    EXPECT_EQ(decoded(a.info.extText, a.info.extTextLength), u"出演：\r\n山田");
}

TEST(ApplyParameters, AChannelNameThatDoesNotFitIsCutToItsField) {
    const Applied a = apply({"-C", "とても長いチャンネルの名前です"});
    ASSERT_TRUE(a.ok);
    EXPECT_LE(a.info.channelNameLength, 20);
    EXPECT_GT(a.info.channelNameLength, 10);
}

TEST(ApplyParameters, WSwitchTurnsSizeControlsOff) {
    const Applied with = apply({"-B", "ABC"});
    const Applied without = apply({"-w", "-B", "ABC"});
    ASSERT_TRUE(with.ok && without.ok);
    EXPECT_EQ(bytes(with.info.title, with.info.titleLength), (std::vector<std::uint8_t>{0x0E, 0x89, 0x41, 0x42, 0x43}));
    EXPECT_EQ(bytes(without.info.title, without.info.titleLength), (std::vector<std::uint8_t>{0x0E, 0x41, 0x42, 0x43}));
}

}  // namespace
