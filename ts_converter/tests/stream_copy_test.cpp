#include "io/stream_copy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <vector>

namespace korvet {
namespace {

// Every 4-byte-aligned start within a 16-byte line and every slot size the converter uses (plus
// the short ones that never reach a 16-byte boundary): the copy is exact and touches nothing
// outside its range.
TEST(StreamCopy, CopiesExactlyTheRangeAtEveryAlignment) {
    std::vector<std::uint8_t> source(256);
    for (std::size_t i = 0; i < source.size(); ++i) source[i] = static_cast<std::uint8_t>(i * 7 + 1);
    for (const std::size_t size : {4u, 8u, 12u, 16u, 20u, 28u, 188u, 192u}) {
        for (std::size_t offset = 0; offset < 16; offset += 4) {
            alignas(64) std::uint8_t target[256 + 64];
            std::fill(std::begin(target), std::end(target), 0xEE);
            streamCopy(target + 16 + offset, source.data() + 3, size);
            streamFence();
            for (std::size_t i = 0; i < sizeof target; ++i) {
                const bool inside = i >= 16 + offset && i < 16 + offset + size;
                const std::uint8_t expected = inside ? source[3 + i - 16 - offset] : 0xEE;
                ASSERT_EQ(target[i], expected) << "size " << size << " offset " << offset << " byte " << i;
            }
        }
    }
}

}  // namespace
}  // namespace korvet
