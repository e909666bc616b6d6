// Builds RPLS playlist images with chosen field values, for tests and the demo.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fixture {

enum class BlockLayout { None, Layout0108, Layout0103, Unknown };

struct Genre {
    bool present = false;
    std::uint8_t value = 0;
};

// One PlayItem of the PlayList(): a clip, its codec and the part of it that plays (45 kHz).
struct PlayItemFields {
    std::string clip = "00001";
    std::string codec = "M2TS";
    std::uint32_t inTime = 0;
    std::uint32_t outTime = 0;
};

struct RplsFields {
    BlockLayout layout = BlockLayout::Layout0108;
    std::uint32_t blockOffset = 0x800;       // used with a private block
    std::uint32_t fileSize = 0x800 + 0x200;  // grown when a block would not fit
    std::uint8_t zone = 0x12;
    std::uint8_t date[4] = {0x20, 0x24, 0x01, 0x31};
    std::uint8_t startTime[3] = {0x21, 0x00, 0x00};
    std::uint8_t duration[3] = {0x00, 0x54, 0x00};
    std::uint8_t codePair[4] = {0x00, 0x01, 0x00, 0x02};
    std::uint16_t channelNumber = 0x0101;
    std::vector<std::uint8_t> channelName;  // ARIB-coded
    std::vector<std::uint8_t> title;
    std::vector<std::uint8_t> text;
    std::vector<std::uint8_t> extText;  // layout 0x0108 only
    std::uint16_t privateCode = 0;      // layout 0x0103 only
    Genre genres[3];
    // The PlayList(), at playListOffset (or behind everything else when it would run into the
    // private block). Without items the file has no PlayList and its address is filler.
    std::vector<PlayItemFields> playItems;
    std::uint32_t playListOffset = 0x728;
    // Filler for every byte the tool must carry through unchanged.
    std::uint8_t filler = 0xA5;
};

// The image: magic, fields, text area (description + extended text in layout 0x0108, with
// its checksum), private block; untouched bytes hold `filler`.
std::vector<std::uint8_t> buildRpls(const RplsFields& fields);

// ARIB 8-unit code for JIS X 0208 text written in EUC-JP bytes: each two-byte character
// becomes its GL form in the default kanji set (G0 invoked into GL).
std::vector<std::uint8_t> kanjiFromEucJp(const std::string& eucJp);

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
// Like writeFile, but refuses (answers false) when `path` exists: for the command-line
// builders, which must never overwrite a user's file.
bool writeNewFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
bool readFile(const std::string& path, std::vector<std::uint8_t>& bytes);

}  // namespace fixture
