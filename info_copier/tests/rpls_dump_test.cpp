// The RPLS inspector: its packet-format guess, its JSON strings, and the built rpls-dump on
// playlists, other files and names that are no files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rpls/json_text.h"
#include "rpls/packet_format.h"
#include "rpls/rpls_fixture.h"
#include "test_support/run_program.h"

namespace {

using inspect::PacketFormat;

// Ten packets of `size` bytes with the sync byte in place; 192-byte headers from `header`.
std::vector<std::uint8_t> packets(std::size_t size, std::uint32_t (*header)(std::uint32_t)) {
    std::vector<std::uint8_t> bytes(size * 10, 0);
    for (std::uint32_t i = 0; i < 10; ++i) {
        std::uint8_t* p = bytes.data() + i * size;
        p[size - 188] = 0x47;
        if (size == 192) {
            const std::uint32_t h = header(i);
            p[0] = static_cast<std::uint8_t>(h >> 24);
            p[1] = static_cast<std::uint8_t>(h >> 16);
            p[2] = static_cast<std::uint8_t>(h >> 8);
            p[3] = static_cast<std::uint8_t>(h);
        }
    }
    return bytes;
}

TEST(RplsDumpPacketFormat, TellsTheFormatsApart) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        PacketFormat expected;
    };
    const Case cases[] = {
        {"188", packets(188, nullptr), PacketFormat::Ts188},
        // 27 MHz arrival times 1 ms apart: the low twelve bits pass 3071 at once.
        {"bd192", packets(192, [](std::uint32_t i) { return i * 27000; }), PacketFormat::Bd192},
        // Cycle counts 0..9 with offsets below 3072.
        {"fw192", packets(192, [](std::uint32_t i) { return (i << 12) | (i * 300); }), PacketFormat::Fw192},
        {"zero headers", packets(192, [](std::uint32_t) { return 0u; }), PacketFormat::Ts192},
        // A cycle count of 8000 is no FW192 header.
        {"cycle 8000", packets(192, [](std::uint32_t i) { return i == 5 ? 8000u << 12 : i << 12; }),
         PacketFormat::Bd192},
        {"text", std::vector<std::uint8_t>(2000, 'a'), PacketFormat::Unknown},
        {"short", std::vector<std::uint8_t>(3, 0x47), PacketFormat::Unknown},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(inspect::guessPacketFormat(c.bytes.data(), c.bytes.size()), c.expected) << c.name;
    }
}

TEST(RplsDumpJson, EscapesAndReplacesBrokenUtf8) {
    const struct {
        std::string in;
        const char* out;
    } cases[] = {
        {"a\"b\\c", R"("a\"b\\c")"},
        {"line\r\nnext\t", R"("line\r\nnext\t")"},
        {std::string("\x01\x7f", 2), R"("\u0001\u007f")"},
        {"日本", "\"日本\""},
        {"\xff"
         "a\xe6\x97",
         R"("\ufffda\ufffd\ufffd")"},
        {"\xed\xa0\x80", R"("\ufffd\ufffd\ufffd")"},  // a surrogate coded in UTF-8
    };
    for (const auto& c : cases) {
        std::string out;
        inspect::appendJsonString(out, c.in);
        EXPECT_EQ(out, c.out) << c.in;
    }
    std::string hex;
    const std::uint8_t bytes[] = {0x0E, 0xA5, 0x00};
    inspect::appendJsonHex(hex, bytes, 3);
    EXPECT_EQ(hex, "\"0ea500\"");
}

TEST(RplsDumpRun, PlaylistsOtherFilesAndMissingNames) {
    const std::string dir = testing_support::makeTempDir("rpls_dump");
    fixture::RplsFields fields;
    fields.layout = fixture::BlockLayout::Layout0103;
    fields.title = {0x30, 0x21};  // 亜
    fields.genres[0] = {true, 0x11};
    const std::string playlist = dir + "/movie.rpls";
    ASSERT_TRUE(fixture::writeNewFile(playlist, fixture::buildRpls(fields)));
    EXPECT_FALSE(fixture::writeNewFile(playlist, {1, 2, 3}));  // never over an existing file
    const std::string ts = dir + "/x.ts";
    ASSERT_TRUE(fixture::writeNewFile(ts, packets(188, nullptr)));

    const auto run = [](const std::vector<std::string>& args) {
        return testing_support::runProgram(RPLS_DUMP_BINARY, args);
    };
    const testing_support::RunResult json = run({"--json", playlist});
    ASSERT_EQ(json.status, 0);
    EXPECT_NE(json.output.find(R"("title":{"text":"亜","bytes":"3021"})"), std::string::npos) << json.output;
    EXPECT_NE(json.output.find(R"("ja":"スポーツ - 野球","en":"Sports - baseball")"), std::string::npos);
    EXPECT_EQ(json.output.find("extendedDescription"), std::string::npos);  // layout 0x0103 has none

    // Every file is shown that can be; any other makes the status 1, never an abort.
    for (const std::string& other : {dir + "/missing.rpls", dir, ts}) {
        const testing_support::RunResult r = run({other, playlist});
        EXPECT_EQ(r.status, 1) << other;
        EXPECT_NE(r.output.find("0x11 スポーツ - 野球 / Sports - baseball"), std::string::npos) << other;
    }
    EXPECT_EQ(run({}).status, 1);
    EXPECT_EQ(run({"--help"}).status, 0);
}

}  // namespace
