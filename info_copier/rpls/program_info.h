// The programme information that travels from a source to the destination, held in the
// RPLS file's own coding: packed BCD date and times, big-endian numbers, ARIB-coded texts.
#pragma once

#include <cstdint>

#include "rpls/rpls_format.h"

namespace rpls {

struct GenreEntry {
    std::uint8_t present;  // 1 = set
    std::uint8_t value;    // content level 1 in the high nibble, level 2 in the low nibble
};

struct ProgramInfo {
    std::uint8_t date[4];
    std::uint8_t startTime[3];
    std::uint8_t duration[3];
    std::uint8_t zone;
    std::uint8_t codePair[4];
    std::int32_t privateCode;  // -1 = the source has none
    std::uint8_t channelNumber[2];
    std::uint8_t channelNameLength;
    std::uint8_t channelName[kChannelNameCapacity];
    std::uint8_t titleLength;
    std::uint8_t title[kTitleCapacity];
    std::uint8_t textLengthField[2];  // always agrees with textLength
    std::uint8_t text[kTextCapacity];
    std::int32_t textLength;
    std::uint8_t extText[kTextCapacity];
    std::int32_t extTextLength;
    GenreEntry genres[3];
};

// Sets both forms of the description length, clamped to the field.
inline void setTextLength(ProgramInfo& info, std::int32_t length) {
    if (length < 0) length = 0;
    if (length > static_cast<std::int32_t>(kTextCapacity)) length = static_cast<std::int32_t>(kTextCapacity);
    info.textLength = length;
    info.textLengthField[0] = static_cast<std::uint8_t>(length >> 8);
    info.textLengthField[1] = static_cast<std::uint8_t>(length);
}

}  // namespace rpls
