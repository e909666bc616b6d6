#include "app/field_text.h"

#include <cstdio>

#include "arib/arib_text.h"
#include "platform/utf8.h"

namespace app {

namespace {

constexpr int kUnitCapacity = 65536;

std::string bcdDigits(const std::uint8_t* bytes, int count, const char* separator, bool joinFirstPair) {
    std::string out;
    char pair[3];
    for (int i = 0; i < count; ++i) {
        if (i != 0 && !(joinFirstPair && i == 1)) out += separator;
        std::snprintf(pair, sizeof pair, "%02X", bytes[i]);
        out += pair;
    }
    return out;
}

}  // namespace

std::string dateText(const rpls::ProgramInfo& info) { return bcdDigits(info.date, 4, "-", true); }
std::string startTimeText(const rpls::ProgramInfo& info) { return bcdDigits(info.startTime, 3, ":", false); }
std::string durationText(const rpls::ProgramInfo& info) { return bcdDigits(info.duration, 3, ":", false); }

std::string decodedText(const std::uint8_t* bytes, int length) {
    // Decoded texts are at most 65,536 units, and three UTF-8 bytes per unit at most.
    static char16_t units[kUnitCapacity];
    static char utf8[3 * kUnitCapacity + 1];
    const int count = arib::decodeAribText(units, kUnitCapacity, bytes, length);
    const std::size_t size = platform::utf16ToUtf8(units, static_cast<std::size_t>(count), utf8, sizeof utf8 - 1);
    std::string out;
    out.reserve(size);
    for (std::size_t i = 0; i < size; ++i) {
        if (utf8[i] == '\r') continue;
        if (utf8[i] == '\n') {
            out += " / ";
        } else {
            out += utf8[i];
        }
    }
    return out;
}

std::string genresText(const rpls::ProgramInfo& info) {
    std::string out;
    char value[8];
    for (const rpls::GenreEntry& genre : info.genres) {
        if (genre.present != 1) continue;
        std::snprintf(value, sizeof value, "0x%02X", genre.value);
        if (!out.empty()) out += ' ';
        out += value;
    }
    return out.empty() ? "-" : out;
}

}  // namespace app
