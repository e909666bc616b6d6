// The progress line: the whole percentage of the input consumed, shown only when it grows.
#pragma once

#include <cstdint>

namespace korvet {

class Progress {
public:
    Progress(bool silent, std::int64_t total) : silent_(silent), total_(total) {}

    // Prints the 0% line (unless silent).
    void start();
    // Prints the line when the whole percentage of `consumed` in the total has grown.
    void update(std::int64_t consumed) {
        if (consumed >= nextThreshold_) advance(consumed);
    }
    std::int32_t lastShown() const { return lastShown_; }

private:
    void advance(std::int64_t consumed);
    // Smallest count whose percentage exceeds the last shown one, so that the per-packet check
    // is one comparison instead of a division.
    std::int64_t thresholdAfter(std::int32_t percent) const;

    bool silent_;
    std::int64_t total_;
    std::int32_t lastShown_ = 0;
    std::int64_t nextThreshold_ = 0;
};

}  // namespace korvet
