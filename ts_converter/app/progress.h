// The progress line: the whole percentage of the input consumed, shown only when it grows; for
// an input of unknown size (a pipe), the bytes read so far, a few times a second.
#pragma once

#include <cstdint>

namespace korvet {

enum class ProgressLabel { Converting, Checking };

class Progress {
public:
    // A total below 0 is unknown: the line shows bytes instead of a percentage.
    Progress(bool silent, std::int64_t total, ProgressLabel label = ProgressLabel::Converting)
        : silent_(silent), total_(total), label_(label) {}

    // Prints the 0% line (unless silent).
    void start();
    // Prints the line when the whole percentage of `consumed` in the total has grown.
    void update(std::int64_t consumed) {
        if (consumed >= nextThreshold_) advance(consumed);
    }
    std::int32_t lastShown() const { return lastShown_; }

private:
    // Bytes between two looks at the clock when the total is unknown, and the least time
    // between two lines then.
    static constexpr std::int64_t kByteStep = 1 << 20;
    static constexpr std::uint64_t kLeastByteLineMs = 250;

    void advance(std::int64_t consumed);
    void advanceBytes(std::int64_t consumed);
    // Smallest count whose percentage exceeds the last shown one, so that the per-packet check
    // is one comparison instead of a division.
    std::int64_t thresholdAfter(std::int32_t percent) const;

    bool silent_;
    std::int64_t total_;
    ProgressLabel label_;
    std::int32_t lastShown_ = 0;
    std::int64_t nextThreshold_ = 0;
    std::uint64_t lastLineMs_ = 0;
};

}  // namespace korvet
