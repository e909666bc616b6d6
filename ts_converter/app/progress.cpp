#include "app/progress.h"

#include "common/messages.h"
#include "platform/console.h"

#include <limits>

namespace korvet {

std::int64_t Progress::thresholdAfter(std::int32_t percent) const {
    if (total_ <= 0 || percent >= 100) return std::numeric_limits<std::int64_t>::max();
    // consumed × 100 / total > percent  ⇔  consumed ≥ ceil((percent + 1) × total / 100)
    const std::int64_t product = (percent + 1) * total_;
    return product / 100 + (product % 100 != 0 ? 1 : 0);
}

void Progress::start() {
    lastShown_ = 0;
    nextThreshold_ = thresholdAfter(0);
    if (silent_) return;
    platform::print(msg::kProgressStart);
    platform::flushConsole();
}

void Progress::advance(std::int64_t consumed) {
    const std::int64_t percent = consumed * 100 / total_;
    if (percent <= lastShown_) return;
    lastShown_ = static_cast<std::int32_t>(percent);
    nextThreshold_ = thresholdAfter(lastShown_);
    if (silent_) return;
    platform::print(msg::kProgress, lastShown_);
    platform::flushConsole();
}

}  // namespace korvet
