// libFuzzer driver for decodeAribText: random bytes, a random capacity (negative included)
// and a null destination. Besides memory safety it checks the output rule: the result equals
// the measuring run's and min(whole length, capacity), nothing is stored at or past the
// capacity or after the terminator, the terminator is stored exactly when the result is below
// the capacity, and the stored units are the start of the whole decoded text.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "arib/arib_text.h"
#include "arib/decoder_paths.h"

namespace {

constexpr char16_t kSentinel = 0xBEEF;

[[noreturn]] void fail() { std::abort(); }

// decodeAribText, checked against the general path alone on a destination of the same size.
int decode(char16_t* dst, std::size_t dstSize, int capacity, const std::vector<std::uint8_t>& src) {
    const int length = static_cast<int>(src.size());
    const int result = arib::decodeAribText(dst, capacity, src.data(), length);
    if (dst == nullptr) {
        if (arib::decodeAribTextBy<arib::DecoderPaths::GeneralOnly>(nullptr, capacity, src.data(), length) != result)
            fail();
        return result;
    }
    std::vector<char16_t> general(dstSize, kSentinel);
    if (arib::decodeAribTextBy<arib::DecoderPaths::GeneralOnly>(general.data(), capacity, src.data(), length) !=
            result ||
        !std::equal(general.begin(), general.end(), dst))
        fail();
    return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int capacity = static_cast<int>((data[0] | data[1] << 8) % 600) - 1;
    // The input is copied into a block of its exact size, so that a read past srcLength is caught.
    std::vector<std::uint8_t> src(data + 2, data + size);
    const int length = static_cast<int>(src.size());

    const int whole = decode(nullptr, 0, INT_MAX, src);
    const int measured = decode(nullptr, 0, capacity, src);
    const int room = std::max(capacity, 0);
    std::vector<char16_t> dst(static_cast<std::size_t>(room) + 8, kSentinel);
    const int result = decode(dst.data(), dst.size(), capacity, src);
    if (whole < 0 || result != measured || result != std::min(whole, room)) fail();
    if (result < room && dst[static_cast<std::size_t>(result)] != 0) fail();
    const std::size_t untouchedFrom = static_cast<std::size_t>(result < room ? result + 1 : room);
    for (std::size_t i = untouchedFrom; i < dst.size(); ++i)
        if (dst[i] != kSentinel) fail();

    std::vector<char16_t> full(static_cast<std::size_t>(whole) + 1, kSentinel);
    if (decode(full.data(), full.size(), whole + 1, src) != whole || full[static_cast<std::size_t>(whole)] != 0) fail();
    if (!std::equal(dst.begin(), dst.begin() + result, full.begin())) fail();
    // With room for the most any input can yield, the decoder stores without checking the
    // capacity character by character: the same text.
    const int roomy = 8 * length + 1;
    std::vector<char16_t> wide(static_cast<std::size_t>(roomy), kSentinel);
    if (decode(wide.data(), wide.size(), roomy, src) != whole || !std::equal(full.begin(), full.end(), wide.begin()))
        fail();
    return 0;
}
