// Helpers shared by the decoder tests.
#pragma once

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "arib/decoder_paths.h"

namespace arib::test {

// The decoder with its common path and the general path alone, given the same text: the same
// result and the same stored units, with nothing stored past them, for a null destination,
// for room for anything (the common path then stores unchecked), and cut at every capacity up
// to one past the whole text (the common path then checks the capacity).
inline testing::AssertionResult pathsAgree(const std::uint8_t* src, int length) {
    constexpr char16_t kUntouched = 0xBEEF;
    using enum DecoderPaths;
    const int whole = decodeAribTextBy<GeneralOnly>(nullptr, INT_MAX, src, length);
    if (decodeAribTextBy<CommonAndGeneral>(nullptr, INT_MAX, src, length) != whole)
        return testing::AssertionFailure() << "measured length differs";
    std::vector<int> capacities;
    for (int capacity = -1; capacity <= whole + 1; ++capacity) capacities.push_back(capacity);
    capacities.push_back(8 * length + 1);
    for (const int capacity : capacities) {
        const std::size_t size = static_cast<std::size_t>(capacity < 0 ? 0 : capacity) + 2;
        std::vector<char16_t> general(size, kUntouched), common(size, kUntouched);
        const int generalCount = decodeAribTextBy<GeneralOnly>(general.data(), capacity, src, length);
        const int commonCount = decodeAribTextBy<CommonAndGeneral>(common.data(), capacity, src, length);
        if (commonCount != generalCount || common != general)
            return testing::AssertionFailure() << "output differs at capacity " << capacity;
    }
    return testing::AssertionSuccess();
}

}  // namespace arib::test
