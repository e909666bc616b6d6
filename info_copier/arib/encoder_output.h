// The byte sink of the encoder: counts every byte of a coding and stores those that fall in its
// window, a stretch of the coding held in a buffer of its own.
//
// The buffer is of char8_t, a type that aliases nothing else: a store into it does not make the
// compiler read the sink's own count and limits back from memory, as a store through any other
// byte type would, on every byte. What reaches the caller's destination is copied from there
// (deliverCoding).
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

namespace arib {

// Room for the start of a coding held while it is measured: enough for every text field (the
// longest holds 1200 bytes), so that the coding is copied rather than coded again.
inline constexpr std::int64_t kMeasuringRoom = 2048;

class EncoderOutput {
public:
    // Bytes `windowStart` up to `windowStart + room` of the coding go to `window`; a null
    // window (or none of room) only counts.
    EncoderOutput(char8_t* window, std::int64_t room, std::int64_t windowStart = 0)
        : window_(window), start_(windowStart), at_(-windowStart) {
        const std::int64_t stored = window != nullptr ? std::max<std::int64_t>(room, 0) : 0;
        room_ = static_cast<std::uint64_t>(stored);
        roomForTwo_ = static_cast<std::uint64_t>(std::max<std::int64_t>(stored - 1, 0));
        roomForThree_ = static_cast<std::uint64_t>(std::max<std::int64_t>(stored - 2, 0));
    }

    // A position before the window is negative, and as unsigned beyond every room.
    void put(std::uint8_t byte) {
        if (static_cast<std::uint64_t>(at_) < room_) window_[at_] = static_cast<char8_t>(byte);
        ++at_;
    }

    // Two or three bytes at once: one check of the room for all of them in the common case.
    void put(std::uint8_t first, std::uint8_t second) {
        if (hasRoomForTwo()) {
            window_[at_] = static_cast<char8_t>(first);
            window_[at_ + 1] = static_cast<char8_t>(second);
            at_ += 2;
            return;
        }
        put(first);
        put(second);
    }
    void put(std::uint8_t first, std::uint8_t second, std::uint8_t third) {
        if (static_cast<std::uint64_t>(at_) < roomForThree_) {
            window_[at_] = static_cast<char8_t>(first);
            window_[at_ + 1] = static_cast<char8_t>(second);
            window_[at_ + 2] = static_cast<char8_t>(third);
            at_ += 3;
            return;
        }
        put(first);
        put(second);
        put(third);
    }

    // For a caller that stores a character of one or two bytes at a time where there is room for
    // two: `first` and `second` go in, and the position moves on by `length` (1 or 2), so a
    // one-byte character's second byte is overwritten by the next.
    bool hasRoomForTwo() const { return static_cast<std::uint64_t>(at_) < roomForTwo_; }
    void putOneOrTwo(std::uint8_t first, std::uint8_t second, std::uint32_t length) {
        window_[at_] = static_cast<char8_t>(first);
        window_[at_ + 1] = static_cast<char8_t>(second);
        at_ += length;
    }

    // Bytes of the whole coding so far, whether stored or not.
    std::int64_t count() const { return start_ + at_; }

private:
    char8_t* window_;
    std::int64_t start_;
    std::int64_t at_;  // position of the next byte in the window
    std::uint64_t room_ = 0;
    std::uint64_t roomForTwo_ = 0;    // a position below this has room for two bytes
    std::uint64_t roomForThree_ = 0;  // and below this for three
};

// Stores bytes `from` up to `to` of a coding into `dst` (which holds the coding from its start):
// `recode(output)` codes the text again for each window of `room` bytes, in `window`.
template <typename Recode>
void storeInWindows(std::uint8_t* dst, std::int64_t from, std::int64_t to, char8_t* window, std::int64_t room,
                    Recode recode) {
    for (std::int64_t start = from; start < to; start += room) {
        const std::int64_t size = std::min(room, to - start);
        EncoderOutput output(window, size, start);
        recode(output);
        std::copy(window, window + size, dst + start);
    }
}

// The encoder's result for a destination: the bytes of the coding below the capacity are
// stored, the terminating 0 only when it fits, and the length is answered capped at the
// capacity (a negative capacity counts as 0, a null destination only measures).
//
// `measured` is the whole coding, counted, with its first `room` bytes in `firstWindow`. Where
// more must be stored (texts of programme fields code to far less than one window),
// `recode(output)` codes the same text again: once, into a buffer for all the rest, or, where
// that buffer cannot be had, once for each further window of `room` bytes in `window`.
template <typename Recode>
int deliverCoding(std::uint8_t* dst, int dstCapacity, const EncoderOutput& measured, const char8_t* firstWindow,
                  char8_t* window, std::int64_t room, Recode recode) {
    const std::int64_t capacity = std::max(dstCapacity, 0);
    const std::int64_t length = measured.count();
    if (dst == nullptr) return static_cast<int>(std::min(length, capacity));
    const std::int64_t toStore = std::min(length, capacity);
    std::copy(firstWindow, firstWindow + std::min(toStore, room), dst);
    if (toStore > room) {
        const std::int64_t rest = toStore - room;
        const std::unique_ptr<char8_t[]> buffer(new (std::nothrow) char8_t[static_cast<std::size_t>(rest)]);
        if (buffer != nullptr) {
            storeInWindows(dst, room, toStore, buffer.get(), rest, recode);
        } else {
            storeInWindows(dst, room, toStore, window, room, recode);
        }
    }
    if (length < capacity) dst[length] = 0;
    return static_cast<int>(toStore);
}

}  // namespace arib
