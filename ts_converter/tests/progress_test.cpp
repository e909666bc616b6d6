#include "app/progress.h"

#include <gtest/gtest.h>

namespace korvet {
namespace {

TEST(Progress, ShowsEveryWholePercentageAsSoonAsItIsReached) {
    for (const std::int64_t total : {1LL, 3LL, 7LL, 100LL, 101LL, 188'100LL, 1'074'987'008LL}) {
        Progress progress(true, total);
        progress.start();
        const std::int64_t step = total > 1'000'000 ? 9'973 : 1;
        int changes = 0;
        for (std::int64_t consumed = 0; consumed <= total; consumed += step) {
            const std::int32_t before = progress.lastShown();
            progress.update(consumed);
            const auto expected = static_cast<std::int32_t>(consumed * 100 / total);
            ASSERT_EQ(progress.lastShown(), std::max(before, expected)) << total << " at " << consumed;
            changes += progress.lastShown() != before;
        }
        progress.update(total);
        EXPECT_EQ(progress.lastShown(), 100) << total;
        EXPECT_LE(changes, 100);
    }
}

}  // namespace
}  // namespace korvet
