// Filling the output ring with streaming (non-temporal) stores. The ring (9 MB) is larger than
// the processor's own caches and is read next by the system (the copy into the file cache, or
// the disk's transfer), not by the converter: stored through the cache, every line of it would
// first be fetched from memory only to be overwritten. Streaming stores of whole lines skip
// that fetch. Where the processor has no such stores, these are plain copies.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

// SSE2: every x86-64 processor, and 32-bit x86 where the compiler was told it may use it.
#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define KORVET_STREAMING_STORES 1
#include <emmintrin.h>
#endif

namespace korvet {

// Copies `size` bytes; `destination` and `size` are multiples of 4 (every slot of the ring is).
inline void streamCopy(std::uint8_t* destination, const std::uint8_t* source, std::size_t size) {
#if defined(KORVET_STREAMING_STORES)
    // Four bytes at a time up to a 16-byte boundary, 16 at a time, then the rest by four.
    while (size >= 4 && (reinterpret_cast<std::uintptr_t>(destination) & 15u) != 0) {
        std::int32_t word;
        std::memcpy(&word, source, 4);
        _mm_stream_si32(reinterpret_cast<int*>(destination), word);
        destination += 4;
        source += 4;
        size -= 4;
    }
    for (; size >= 16; size -= 16, destination += 16, source += 16)
        _mm_stream_si128(reinterpret_cast<__m128i*>(destination),
                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(source)));
    for (; size >= 4; size -= 4, destination += 4, source += 4) {
        std::int32_t word;
        std::memcpy(&word, source, 4);
        _mm_stream_si32(reinterpret_cast<int*>(destination), word);
    }
#endif
    std::memcpy(destination, source, size);
}

// Stores four bytes (a header written after its packet) with one streaming store.
inline void streamWord(std::uint8_t* destination, const std::uint8_t* source) {
#if defined(KORVET_STREAMING_STORES)
    std::int32_t word;
    std::memcpy(&word, source, 4);
    _mm_stream_si32(reinterpret_cast<int*>(destination), word);
#else
    std::memcpy(destination, source, 4);
#endif
}

// Makes every streaming store so far visible to other threads and to the system before the
// ring's blocks are handed over to be written.
inline void streamFence() {
#if defined(KORVET_STREAMING_STORES)
    _mm_sfence();
#endif
}

}  // namespace korvet
