#include "io/queued_transfers.h"

namespace korvet {

bool QueuedTransfers::queue(std::int64_t ticket, std::int32_t blocks) {
    if (ticket < 0) return false;
    const std::int32_t at = (head_ + count_) % kCapacity;
    tickets_[static_cast<std::size_t>(at)] = ticket;
    blocks_[static_cast<std::size_t>(at)] = blocks;
    ++count_;
    return true;
}

bool QueuedTransfers::startWrite(platform::File& file, const void* buffer, std::size_t length, std::int32_t blocks) {
    if (transfer_ == nullptr || count_ == kCapacity) return false;
    return queue(transfer_->startWrite(file, buffer, length), blocks);
}

std::int64_t QueuedTransfers::collectOldest() {
    if (count_ == 0) return -1;
    const std::int64_t result = transfer_->collect(tickets_[static_cast<std::size_t>(head_)]);
    head_ = (head_ + 1) % kCapacity;
    --count_;
    return result;
}

bool QueuedTransfers::drain() {
    bool ok = true;
    while (count_ > 0) ok = collectOldest() >= 0 && ok;
    return ok;
}

}  // namespace korvet
