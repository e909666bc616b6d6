#include "platform/aligned_buffer.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// Small buffers and the large ones that get a mapping of their own alike: aligned as asked,
// zeroed, writable to their last byte, and zeroed again when allocated anew.
TEST(AlignedBuffer, IsAlignedAndZeroedAtEverySize) {
    platform::AlignedBuffer buffer;
    for (const std::uint64_t size :
         {std::uint64_t{1}, std::uint64_t{65536}, (std::uint64_t{2} << 20) - 1, std::uint64_t{2} << 20,
          std::uint64_t{141} * 65536, (std::uint64_t{3} << 20) + 5}) {
        ASSERT_TRUE(buffer.allocate(size, 65536)) << size;
        ASSERT_EQ(buffer.size(), size);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(buffer.data()) % 65536, 0u) << size;
        std::uint64_t nonZero = 0;
        for (std::uint64_t i = 0; i < size; ++i) nonZero += buffer.data()[i] != 0;
        EXPECT_EQ(nonZero, 0u) << size;
        buffer.data()[0] = 1;
        buffer.data()[size - 1] = 1;
    }
    EXPECT_FALSE(buffer.allocate(0, 65536));
    EXPECT_EQ(buffer.data(), nullptr);
}

}  // namespace
