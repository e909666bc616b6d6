// The writes that the packet writer has started on a background transfer, oldest first, each
// with a count of the caller's choosing (the blocks it moves).
#pragma once

#include "platform/background_transfer.h"
#include "platform/file.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace korvet {

class QueuedTransfers {
public:
    static constexpr std::int32_t kCapacity = platform::BackgroundTransfer::kMaxQueued;

    QueuedTransfers() = default;
    // Waits for the transfers still queued, whose buffers are about to go away.
    ~QueuedTransfers() { drain(); }
    QueuedTransfers(const QueuedTransfers&) = delete;
    QueuedTransfers& operator=(const QueuedTransfers&) = delete;

    // Transfers go through `transfer`, which must outlive this queue; without one, nothing
    // starts and the caller transfers by itself.
    void attach(platform::BackgroundTransfer& transfer) { transfer_ = &transfer; }

    std::int32_t count() const { return count_; }
    // False when nothing could be started (the caller then transfers by itself).
    bool startWrite(platform::File& file, const void* buffer, std::size_t length, std::int32_t blocks);
    bool oldestFinished() const { return count_ > 0 && transfer_->finished(tickets_[static_cast<std::size_t>(head_)]); }
    std::int32_t oldestBlocks() const { return blocks_[static_cast<std::size_t>(head_)]; }
    // Waits for the oldest transfer and answers its count (or -1).
    std::int64_t collectOldest();
    // Waits for every transfer; answers false when any of them failed.
    bool drain();

private:
    bool queue(std::int64_t ticket, std::int32_t blocks);

    platform::BackgroundTransfer* transfer_ = nullptr;
    std::array<std::int64_t, kCapacity> tickets_{};
    std::array<std::int32_t, kCapacity> blocks_{};
    std::int32_t head_ = 0;
    std::int32_t count_ = 0;
};

}  // namespace korvet
