#include "stamp/fw192_encoder.h"
#include "stamp/time_stamp.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

namespace korvet {
namespace {

// The carried-over cycle must give exactly the bytes of the full computation, whatever the
// steps: within a cycle, across cycles, seconds and zero, exactly one cycle, backwards, jumps.
TEST(Fw192Encoder, GivesTheBytesOfTheFullComputationForAnySteps) {
    struct Case {
        const char* name;
        std::int64_t start;
        std::vector<std::int64_t> steps;  // repeated in turn
    };
    const Case cases[] = {
        {"small steps over a second boundary", kTicksPerSecond - 20'000, {0, 1, 2000, 3374, 1687}},
        {"one cycle exactly and just more", 123'456, {3375, 3376, 3374}},
        {"backwards now and then", 50'000'000, {2000, -1, 2000, -3375, 2000}},
        {"jumps", 0, {5'000'000, 1, 27'000'000, 2, -60'000'000, 3}},
        {"negative times through zero", -30'000, {1500, 2999}},
        {"far beyond 2^33 x 300", (std::int64_t{1} << 33) * 300 - 10'000, {3000}},
    };
    for (const std::int32_t cycleTicks : {kCycleTicks3072, kCycleTicks3000}) {
        for (const Case& c : cases) {
            Fw192Encoder encoder(cycleTicks);
            std::int64_t time = c.start;
            for (int i = 0; i < 2000; ++i) {
                std::array<std::uint8_t, 4> carried{}, full{};
                encoder.encode(time, Header(carried));
                encodeFw192Header(time, cycleTicks, Header(full));
                ASSERT_EQ(carried, full) << c.name << " at " << time << ", " << cycleTicks << " ticks a cycle";
                time += c.steps[static_cast<std::size_t>(i) % c.steps.size()];
            }
        }
    }
}

}  // namespace
}  // namespace korvet
