#include "rpls/file_kind.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<unsigned char> withSyncBytes(std::size_t size, std::size_t first, std::size_t spacing, int count) {
    std::vector<unsigned char> bytes(size, 0);
    for (int i = 0; i < count; ++i) bytes[first + spacing * static_cast<std::size_t>(i)] = 0x47;
    return bytes;
}

TEST(DetectFileKind, JudgesTheFirstBytes) {
    struct Case {
        const char* name;
        std::vector<unsigned char> bytes;
        rpls::FileKind expected;
    };
    std::vector<unsigned char> magicOnly = {'P', 'L', 'S', 'T'};
    std::vector<unsigned char> brokenMagic = withSyncBytes(1024, 0, 188, 4);
    brokenMagic[0] = 'P';  // not 0x47 any more: neither RPLS nor 188
    std::vector<unsigned char> pThenTs192 = withSyncBytes(1024, 4, 192, 4);
    pThenTs192[0] = 'P';
    pThenTs192[1] = 'L';
    std::vector<unsigned char> both = withSyncBytes(1024, 0, 188, 4);
    for (int i = 0; i < 4; ++i) both[4 + 192 * static_cast<std::size_t>(i)] = 0x47;

    const Case cases[] = {
        {"empty file", {}, rpls::FileKind::NotRecognised},
        {"magic alone, shorter than the fixed fields", magicOnly, rpls::FileKind::Rpls},
        {"188-byte packets", withSyncBytes(1024, 0, 188, 4), rpls::FileKind::Ts188},
        {"three 188-byte sync bytes only", withSyncBytes(1024, 0, 188, 3), rpls::FileKind::NotRecognised},
        {"192-byte packets", withSyncBytes(1024, 4, 192, 4), rpls::FileKind::Ts192},
        {"188 pattern in a file too short for the fourth", withSyncBytes(565, 0, 188, 4), rpls::FileKind::Ts188},
        {"first byte P, bytes 1..3 not the magic", brokenMagic, rpls::FileKind::NotRecognised},
        {"first bytes PL, then 192-byte packets", pThenTs192, rpls::FileKind::Ts192},
        {"both TS patterns", both, rpls::FileKind::Ts188},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rpls::detectFileKind(c.bytes.data(), c.bytes.size()), c.expected) << c.name;
    }
}

}  // namespace
