#include "io/packet_writer.h"

#include "app/messages.h"
#include "platform/console.h"

#include <algorithm>
#include <cstring>

namespace korvet {

bool PacketWriter::open(const char* path, std::int32_t packetSize, bool unbuffered) {
    // O_CREAT|O_EXCL: an existing file is refused, never overwritten.
    if (!file_.createNew(path, unbuffered)) {
        platform::print("%s", msg::kOutputCreateFailed);
        return false;
    }
    unbuffered_ = file_.isUnbuffered();
    if (unbuffered_ && !tailFile_.openExisting(path, platform::Access::ReadWrite, false, false)) {
        platform::print("%s", msg::kOutputReopenFailed);
        return false;
    }
    packetSize_ = packetSize;
    mergeBytes_ = (unbuffered_ ? kBlocksPerDiskWrite : 1) * kBlockSize;
    nextBlock_ = 0;
    pending_ = 0;
    writePosition_ = 0;
    heldFrom_ = 0;
    written_ = 0;
    hold_ = false;
    if (!buffer_.allocate(kRingSize, kBlockSize)) {
        platform::print("%s", msg::kWriteBufferFailed);
        return false;
    }
    flushAt_ = mergeBytes_;
    open_ = true;
    return true;
}

bool PacketWriter::writeAll(const std::uint8_t* data, std::int64_t length) {
    const std::int64_t done = file_.write(data, static_cast<std::size_t>(length));
    if (done != length) {
        platform::print("%s", msg::kWriteFailed);
        return false;
    }
    written_ += done;
    return true;
}

bool PacketWriter::writeBlocks(std::int32_t count) {
    while (count > 0) {
        // Consecutive blocks go out in one call, up to the ring's end.
        const std::int32_t run = std::min(count, kRingBlocks - nextBlock_);
        if (!writeAll(buffer_.data() + static_cast<std::int64_t>(nextBlock_) * kBlockSize,
                      static_cast<std::int64_t>(run) * kBlockSize))
            return false;
        nextBlock_ = (nextBlock_ + run) % kRingBlocks;
        pending_ -= run * kBlockSize;
        count -= run;
    }
    return true;
}

void PacketWriter::setHold(bool hold) {
    if (hold && !hold_) heldFrom_ = std::max(pending_ - packetSize_, 0);
    hold_ = hold;
    updateFlushPoint();
}

void PacketWriter::updateFlushPoint() {
    if (!hold_) {
        flushAt_ = mergeBytes_;
        return;
    }
    // Whole blocks in front of the held run may still go out: at once when enough of them
    // have gathered, otherwise when the ring would run full (which is also where overflow is
    // checked).
    const std::int32_t freeBlocks = heldFrom_ / kBlockSize;
    flushAt_ = freeBlocks * kBlockSize >= mergeBytes_ ? 0 : kRingSize - packetSize_ + 1;
}

std::uint8_t* PacketWriter::nextSlotAfterWriting() {
    if (!open_) return nullptr;
    if (!hold_) {
        if (!writeBlocks(pending_ / kBlockSize)) return nullptr;
    } else {
        const std::int32_t freeBlocks = heldFrom_ / kBlockSize;
        if (freeBlocks > 0) {
            if (!writeBlocks(freeBlocks)) return nullptr;
            heldFrom_ -= freeBlocks * kBlockSize;
        }
        if (pending_ + packetSize_ > kRingSize) {
            platform::print("%s", msg::kRingOverflow);
            return nullptr;
        }
    }
    updateFlushPoint();
    return takeSlot();
}

bool PacketWriter::trimFinalBlock() {
    // Unbuffered transfers are whole blocks: the last one goes out in full, and the bytes
    // behind the data are then cut off through the buffered handle.
    std::uint8_t* block = buffer_.data() + static_cast<std::int64_t>(nextBlock_) * kBlockSize;
    std::memset(block + pending_, 0, static_cast<std::size_t>(kBlockSize - pending_));
    if (!writeAll(block, kBlockSize)) return false;
    file_.close();
    // A failed cut would leave up to a block of filler behind the data: a write error.
    if (!tailFile_.seek(pending_ - kBlockSize, platform::Origin::End) || !tailFile_.truncateHere()) {
        platform::print("%s", msg::kWriteFailed);
        return false;
    }
    written_ += pending_ - kBlockSize;
    pending_ = 0;
    return true;
}

bool PacketWriter::close() {
    if (!open_) return false;
    open_ = false;
    flushAt_ = 0;
    hold_ = false;
    bool ok = writeBlocks(pending_ / kBlockSize);
    if (ok && pending_ > 0) {
        if (unbuffered_) {
            ok = trimFinalBlock();
        } else {
            ok = writeAll(buffer_.data() + static_cast<std::int64_t>(nextBlock_) * kBlockSize, pending_);
            pending_ = 0;
        }
    }
    file_.close();
    tailFile_.close();
    buffer_.release();
    return ok;
}

}  // namespace korvet
