// Byte positions of the RPLS playlist fields that the tool reads and writes. Numbers are
// big-endian; dates and times are packed BCD. Every other byte of a file is carried through.
#pragma once

#include <cstddef>
#include <cstdint>

namespace rpls {

inline constexpr char kMagic[4] = {'P', 'L', 'S', 'T'};

inline constexpr std::size_t kPrivateBlockOffsetPos = 16;
inline constexpr std::size_t kZonePos = 48;
inline constexpr std::size_t kDatePos = 50;
inline constexpr std::size_t kStartTimePos = 54;
inline constexpr std::size_t kDurationPos = 57;
inline constexpr std::size_t kCodePairPos = 60;
inline constexpr std::size_t kChannelNumberPos = 64;
inline constexpr std::size_t kChannelNameLengthPos = 67;
inline constexpr std::size_t kChannelNamePos = 68;
inline constexpr std::size_t kTitleLengthPos = 88;
inline constexpr std::size_t kTitlePos = 89;
inline constexpr std::size_t kTextAreaPos = 344;  // 2-byte length, then the text bytes
inline constexpr std::size_t kTextPos = 346;

inline constexpr std::size_t kChannelNameCapacity = 20;
inline constexpr std::size_t kTitleCapacity = 255;
inline constexpr std::size_t kTextCapacity = 1200;
inline constexpr std::size_t kTextAreaSize = 2 + kTextCapacity;
// The fixed fields end with the text area.
inline constexpr std::size_t kFixedFieldsEnd = kTextAreaPos + kTextAreaSize;  // 1546

// Private block, at the offset stored at kPrivateBlockOffsetPos (0 = none).
inline constexpr std::size_t kBlockLayoutIdPos = 12;
inline constexpr std::uint16_t kLayout0108 = 0x0108;
inline constexpr std::uint16_t kLayout0103 = 0x0103;

// Layout 0x0108: genres as (present, value) pairs, the length of the extended text that
// follows the description inside the text area, and an 8-bit sum of the 1200 text bytes.
inline constexpr std::size_t kBlock0108GenrePos[3] = {28, 32, 36};
inline constexpr std::size_t kBlock0108ExtTextLengthPos = 56;
inline constexpr std::size_t kBlock0108ChecksumPos = 58;
inline constexpr std::size_t kBlock0108Extent = 59;

// Layout 0x0103: a private code, a genre count code and the genres stored last-first with
// their nibbles exchanged (0xFF = absent).
inline constexpr std::size_t kBlock0103PrivateCodePos = 168;
inline constexpr std::size_t kBlock0103GenreCountPos = 176;
inline constexpr std::size_t kBlock0103Genre3Pos = 177;
inline constexpr std::size_t kBlock0103Genre2Pos = 178;
inline constexpr std::size_t kBlock0103Genre1Pos = 179;
inline constexpr std::size_t kBlock0103Extent = 180;

inline constexpr std::uint8_t kGenreCountNone = 0xEA;
inline constexpr std::uint8_t kGenreCountOne = 0xE9;
inline constexpr std::uint8_t kGenreCountTwo = 0xE5;
inline constexpr std::uint8_t kGenreCountThree = 0xD5;
inline constexpr std::uint8_t kGenreAbsent = 0xFF;

inline constexpr std::uint8_t exchangeNibbles(std::uint8_t v) { return static_cast<std::uint8_t>((v << 4) | (v >> 4)); }

}  // namespace rpls
