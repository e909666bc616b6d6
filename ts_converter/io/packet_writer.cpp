#include "io/packet_writer.h"

#include "common/messages.h"
#include "io/stream_copy.h"
#include "platform/console.h"
#include "platform/standard_streams.h"

#include <algorithm>
#include <cstring>

namespace korvet {

bool PacketWriter::open(const char* path, std::int32_t packetSize, bool unbuffered) {
    // Writes still running for an earlier file must land before its file closes.
    writeBehind_.drain();
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
    stream_ = false;
    return start(packetSize);
}

bool PacketWriter::openStandardOutput(std::int32_t packetSize) {
    writeBehind_.drain();
    if (!platform::openStandardOutput(file_)) {
        platform::print("%s", msg::kOutputCreateFailed);
        return false;
    }
    unbuffered_ = false;
    stream_ = true;
    return start(packetSize);
}

bool PacketWriter::start(std::int32_t packetSize) {
    packetSize_ = packetSize;
    leastBlocks_ = unbuffered_ ? kLeastDiskWriteBlocks : kLeastCacheWriteBlocks;
    mostBlocks_ = unbuffered_ ? kMostDiskWriteBlocks : kMostCacheWriteBlocks;
    nextBlock_ = 0;
    inFlightBlocks_ = 0;
    pending_ = 0;
    writePosition_ = 0;
    heldFrom_ = 0;
    written_ = 0;
    hold_ = false;
    if (!buffer_.allocate(kRingSize, kBlockSize)) {
        platform::print("%s", msg::kWriteBufferFailed);
        return false;
    }
    updateFlushPoint();
    open_ = true;
    return true;
}

bool PacketWriter::writeAll(const std::uint8_t* data, std::int64_t length) {
    streamFence();
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

bool PacketWriter::collectWrite() {
    const std::int32_t blocks = writeBehind_.oldestBlocks();
    inFlightBlocks_ -= blocks;
    const std::int64_t length = static_cast<std::int64_t>(blocks) * kBlockSize;
    const std::int64_t done = writeBehind_.collectOldest();
    if (done != length) {
        platform::print("%s", msg::kWriteFailed);
        return false;
    }
    written_ += done;
    return true;
}

bool PacketWriter::moveBlocks(bool wait) {
    bool collected = false;
    while (writeBehind_.oldestFinished()) {
        if (!collectWrite()) return false;
        collected = true;
    }
    if (wait && !collected && writeBehind_.count() > 0 && !collectWrite()) return false;
    for (;;) {
        const std::int32_t ready = writableBlocks();
        // A short request costs the disk nearly as much time as a full one, and once the ring
        // is full every wait would otherwise send out the few blocks made since the last: short
        // runs only go out when nothing else is being written.
        if (ready == 0 || (ready < leastBlocks_ && (!wait || writeBehind_.count() > 0))) return true;
        // Consecutive blocks go out in one request, up to the ring's end.
        const std::int32_t run = std::min({ready, mostBlocks_, kRingBlocks - nextBlock_});
        const std::uint8_t* data = buffer_.data() + static_cast<std::int64_t>(nextBlock_) * kBlockSize;
        const std::int32_t bytes = run * kBlockSize;
        streamFence();
        if (writeBehind_.startWrite(file_, data, static_cast<std::size_t>(bytes), run)) {
            inFlightBlocks_ += run;
        } else if (writeBehind_.count() > 0) {
            return true;  // the queue is full: the next block boundary tries again
        } else if (!writeAll(data, bytes)) {
            return false;
        }
        nextBlock_ = (nextBlock_ + run) % kRingBlocks;
        pending_ -= bytes;
        if (hold_) heldFrom_ -= bytes;
    }
}

void PacketWriter::setHold(bool hold) {
    if (hold && !hold_) heldFrom_ = std::max(pending_ - packetSize_, 0);
    hold_ = hold;
    updateFlushPoint();
}

void PacketWriter::updateFlushPoint() {
    // Back at every block boundary, to queue the blocks that are ready and collect the writes
    // that have finished; and before the slot that would reach into blocks still being written.
    const std::int32_t nextBoundary = (pending_ / kBlockSize + 1) * kBlockSize;
    const std::int32_t full = kRingSize - inFlightBytes() - packetSize_ + 1;
    flushAt_ = std::min(nextBoundary, full);
}

std::uint8_t* PacketWriter::nextSlotAfterWriting() {
    if (!open_) return nullptr;
    if (!moveBlocks(false)) return nullptr;
    while (pending_ + inFlightBytes() + packetSize_ > kRingSize) {
        // Only the held run and a part block are left: the ring cannot take another slot.
        if (writeBehind_.count() == 0 && writableBlocks() == 0) {
            platform::print("%s", msg::kRingOverflow);
            return nullptr;
        }
        if (!moveBlocks(true)) return nullptr;
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
    bool ok = true;
    while (ok && writeBehind_.count() > 0) ok = collectWrite();
    writeBehind_.drain();  // after a failure, the writes behind it were not carried out
    ok = ok && writeBlocks(pending_ / kBlockSize);
    if (ok && pending_ > 0) {
        if (unbuffered_) {
            ok = trimFinalBlock();
        } else {
            ok = writeAll(buffer_.data() + static_cast<std::int64_t>(nextBlock_) * kBlockSize, pending_);
            pending_ = 0;
        }
    }
    // The data and the file's length on the disk before the run reports its end; the cut, when
    // there was one, went through the second handle, which is the one still open then.
    platform::File& last = tailFile_.isOpen() ? tailFile_ : file_;
    if (ok && !stream_ && !last.flushToDisk()) {
        platform::print("%s", msg::kWriteFailed);
        ok = false;
    }
    file_.close();
    tailFile_.close();
    buffer_.release();
    return ok;
}

}  // namespace korvet
