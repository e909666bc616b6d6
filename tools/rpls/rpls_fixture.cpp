#include "rpls/rpls_fixture.h"

#include "platform/file.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace fixture {

namespace {

void put16(std::vector<std::uint8_t>& image, std::size_t at, std::uint16_t v) {
    image[at] = static_cast<std::uint8_t>(v >> 8);
    image[at + 1] = static_cast<std::uint8_t>(v);
}

void put32(std::vector<std::uint8_t>& image, std::size_t at, std::uint32_t v) {
    put16(image, at, static_cast<std::uint16_t>(v >> 16));
    put16(image, at + 2, static_cast<std::uint16_t>(v));
}

void putBytes(std::vector<std::uint8_t>& image, std::size_t at, const std::vector<std::uint8_t>& bytes,
              std::size_t capacity) {
    std::copy_n(bytes.begin(), std::min(bytes.size(), capacity), image.begin() + static_cast<std::ptrdiff_t>(at));
}

std::uint8_t swapNibbles(std::uint8_t v) { return static_cast<std::uint8_t>((v << 4) | (v >> 4)); }

constexpr std::size_t kPlayItemSize = 22;  // length field + 20 bytes, as recorders write them

// PlayList(): length, flags, PlayItem count, SubPlayItem count, then the PlayItems.
void putPlayList(std::vector<std::uint8_t>& image, std::size_t at, const std::vector<PlayItemFields>& items) {
    put32(image, 8, static_cast<std::uint32_t>(at));
    put32(image, at, static_cast<std::uint32_t>(6 + items.size() * kPlayItemSize));
    put16(image, at + 4, 0x0001);
    put16(image, at + 6, static_cast<std::uint16_t>(items.size()));
    put16(image, at + 8, 0);
    std::size_t item = at + 10;
    for (const PlayItemFields& fields : items) {
        put16(image, item, static_cast<std::uint16_t>(kPlayItemSize - 2));
        std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(item + 2), kPlayItemSize - 2, 0);
        std::copy_n(fields.clip.begin(), std::min<std::size_t>(fields.clip.size(), 5),
                    image.begin() + static_cast<std::ptrdiff_t>(item + 2));
        std::copy_n(fields.codec.begin(), std::min<std::size_t>(fields.codec.size(), 4),
                    image.begin() + static_cast<std::ptrdiff_t>(item + 7));
        put16(image, item + 11, 0x0001);  // connection condition 1
        put32(image, item + 14, fields.inTime);
        put32(image, item + 18, fields.outTime);
        item += kPlayItemSize;
    }
}

}  // namespace

std::vector<std::uint8_t> buildRpls(const RplsFields& fields) {
    const bool hasBlock = fields.layout != BlockLayout::None;
    std::size_t size = std::max<std::size_t>(fields.fileSize, 1546);
    if (hasBlock) size = std::max<std::size_t>(size, std::size_t{fields.blockOffset} + 0x100);
    std::vector<std::uint8_t> image(size, fields.filler);

    std::copy_n("PLST", 4, image.begin());
    put32(image, 16, hasBlock ? fields.blockOffset : 0);
    image[48] = fields.zone;
    std::copy_n(fields.date, 4, image.begin() + 50);
    std::copy_n(fields.startTime, 3, image.begin() + 54);
    std::copy_n(fields.duration, 3, image.begin() + 57);
    std::copy_n(fields.codePair, 4, image.begin() + 60);
    put16(image, 64, fields.channelNumber);
    image[67] = static_cast<std::uint8_t>(std::min<std::size_t>(fields.channelName.size(), 20));
    std::fill_n(image.begin() + 68, 20, 0);
    putBytes(image, 68, fields.channelName, 20);
    image[88] = static_cast<std::uint8_t>(std::min<std::size_t>(fields.title.size(), 255));
    std::fill_n(image.begin() + 89, 255, 0);
    putBytes(image, 89, fields.title, 255);

    // Text area: description, then (layout 0x0108) the extended text right behind it.
    std::fill_n(image.begin() + 344, 1202, 0);
    const std::size_t textLength = std::min<std::size_t>(fields.text.size(), 1200);
    put16(image, 344, static_cast<std::uint16_t>(textLength));
    putBytes(image, 346, fields.text, textLength);
    std::size_t extLength = 0;
    if (fields.layout == BlockLayout::Layout0108) {
        extLength = std::min<std::size_t>(fields.extText.size(), 1200 - textLength);
        putBytes(image, 346 + textLength, fields.extText, extLength);
    }

    if (!fields.playItems.empty()) {
        const std::size_t length = 10 + fields.playItems.size() * kPlayItemSize;
        std::size_t at = std::max<std::size_t>(fields.playListOffset, 1546);
        const bool meetsBlock =
            hasBlock && at < std::size_t{fields.blockOffset} + 0x100 && at + length > fields.blockOffset;
        if (meetsBlock || at + length > image.size()) {
            at = std::max(at, image.size());
            if (meetsBlock) at = std::max(at, std::size_t{fields.blockOffset} + 0x100);
            image.resize(at + length, fields.filler);
        }
        putPlayList(image, at, fields.playItems);
    }

    if (!hasBlock) return image;
    const std::size_t b = fields.blockOffset;
    std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(b), 0x100, 0);
    switch (fields.layout) {
        case BlockLayout::Layout0108: {
            put16(image, b + 12, 0x0108);
            for (std::size_t i = 0; i < 3; ++i) {
                image[b + 28 + 4 * i] = fields.genres[i].present ? 1 : 0;
                image[b + 29 + 4 * i] = fields.genres[i].present ? fields.genres[i].value : 0;
            }
            put16(image, b + 56, static_cast<std::uint16_t>(extLength));
            unsigned sum = 0;
            for (std::size_t i = 346; i < 1546; ++i) sum += image[i];
            image[b + 58] = static_cast<std::uint8_t>(sum);
            break;
        }
        case BlockLayout::Layout0103: {
            put16(image, b + 12, 0x0103);
            put16(image, b + 168, fields.privateCode);
            static constexpr std::uint8_t kCountCodes[4] = {0xEA, 0xE9, 0xE5, 0xD5};
            std::size_t count = 0;
            while (count < 3 && fields.genres[count].present) ++count;
            image[b + 176] = kCountCodes[count];
            for (std::size_t i = 0; i < 3; ++i) {
                image[b + 179 - i] = i < count ? swapNibbles(fields.genres[i].value) : 0xFF;
            }
            break;
        }
        case BlockLayout::Unknown: put16(image, b + 12, 0x0200); break;
        case BlockLayout::None: break;
    }
    return image;
}

std::vector<std::uint8_t> kanjiFromEucJp(const std::string& eucJp) {
    std::vector<std::uint8_t> out;
    out.reserve(eucJp.size());
    for (char c : eucJp) out.push_back(static_cast<std::uint8_t>(static_cast<unsigned char>(c) & 0x7F));
    return out;
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool writeNewFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    // Created new, never over an existing file (the C runtime of Windows has no "x" mode).
    platform::File file;
    if (!file.createNew(path.c_str(), false)) return false;
    return file.write(bytes.data(), bytes.size()) == static_cast<std::int64_t>(bytes.size());
}

bool readFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

}  // namespace fixture
