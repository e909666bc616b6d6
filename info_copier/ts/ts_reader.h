// Delivers whole TS packets (188 bytes, or 192 with a 4-byte prefix) from a 64 KiB window
// that is refilled from the file in aligned 64 KiB blocks. Regains packet alignment by
// looking for three sync bytes at packet spacing.
#pragma once

#include <array>
#include <cstdint>

#include "platform/file.h"

namespace ts {

inline constexpr int kTsPacketSize = 188;
inline constexpr std::uint8_t kSyncByte = 0x47;

class TsReader {
public:
    static constexpr int kWindowSize = 65536;
    // Room in front of the window for the unread tail of the previous window (at most
    // 2 packets + 5 bytes while searching, less than one packet while in step).
    static constexpr int kHeadroom = 1024;

    // Borrows `file` (never closes it); `packetSize` is 188 or 192. Zeroes the window.
    void setUp(platform::File& file, int packetSize);
    // Positions the reader at `percent` (0..99) of the file and fills the first window.
    void seekToPercent(int percent);
    // The first byte of the next packet (the prefix for 192-byte packets), valid until the
    // next call; nullptr once the data has ended.
    const std::uint8_t* nextPacket();

    int packetSize() const { return packetSize_; }
    int syncOffset() const { return syncOffset_; }

private:
    // Makes at least `need` unread bytes available; false when the data has ended.
    bool refill(int need);
    int readWindow();
    bool syncAt(int index) const { return data()[index] == kSyncByte; }
    std::uint8_t* data() { return area_.data() + kHeadroom; }
    const std::uint8_t* data() const { return area_.data() + kHeadroom; }

    platform::File* handle_ = nullptr;
    int packetSize_ = kTsPacketSize;
    int syncOffset_ = 0;
    alignas(64) std::array<std::uint8_t, kHeadroom + kWindowSize> area_;
    int filled_ = 0;  // bytes that the last read put into the window
    int pos_ = 0;     // next unread byte, relative to the window; negative inside the headroom
};

}  // namespace ts
