#include "io/packet_reader.h"

#include "common/messages.h"
#include "platform/console.h"
#include "platform/interrupt.h"
#include "platform/standard_streams.h"

#include <algorithm>
#include <cstring>

namespace korvet {

bool PacketReader::open(const char* path, std::int32_t packetSize, std::int32_t blocksPerBatch, bool unbuffered) {
    if (!file_.openExisting(path, platform::Access::Read, true, unbuffered)) {
        platform::print("%s", msg::kInputOpenFailed);
        return false;
    }
    packetSize_ = packetSize;
    // Buffered input is copied out of the system cache, where each call costs more than the
    // copy of a block: several batches are read in one call (still whole blocks, contiguous).
    blocksPerBatch_ =
        file_.isUnbuffered() || blocksPerBatch < 1 ? blocksPerBatch : std::max(blocksPerBatch, kLeastCachedBatchBlocks);
    fileSize_ = file_.size();
    stream_ = false;
    return allocate(blocksPerBatch_);
}

bool PacketReader::openStandardInput(std::int32_t packetSize, std::int32_t blocksPerBatch) {
    if (!platform::openStandardInput(file_)) {
        platform::print("%s", msg::kInputOpenFailed);
        return false;
    }
    packetSize_ = packetSize;
    blocksPerBatch_ = blocksPerBatch < 1 ? blocksPerBatch : std::max(blocksPerBatch, kLeastStreamBatchBlocks);
    fileSize_ = -1;
    stream_ = true;
    return allocate(blocksPerBatch_);
}

bool PacketReader::allocate(std::int32_t blocksPerBatch) {
    reportRemoved_ = true;
    consumed_ = 0;
    windowOffset_ = -1;
    filled_ = 0;
    readIndex_ = 0;
    runStart_ = 0;
    endOfFile_ = false;
    interrupted_ = false;
    confined_ = false;
    // Batches are read in one transfer whose length is a 32-bit count; a larger request is
    // refused like any other buffer that cannot be had.
    const std::uint64_t bytes = (static_cast<std::uint64_t>(blocksPerBatch) + 1) * kBlockSize;
    if (blocksPerBatch < 1 || blocksPerBatch > kMaxBlocksPerBatch || !buffer_.allocate(bytes, kBlockSize)) {
        platform::print("%s", msg::kReadBufferFailed);
        return false;
    }
    dataArea_ = buffer_.data() + kBlockSize;
    return true;
}

void PacketReader::close() {
    file_.close();
    buffer_.release();
    dataArea_ = nullptr;
}

bool PacketReader::readBatch() {
    // The whole batch in one call: still whole blocks at aligned offsets, fewer requests.
    const std::int64_t want = static_cast<std::int64_t>(blocksPerBatch_) * kBlockSize;
    const std::int64_t got = file_.read(dataArea_, static_cast<std::size_t>(want));
    if (got < 0) {
        platform::print("%s", msg::kReadFailed);
        return false;
    }
    filled_ = static_cast<std::int32_t>(got);
    if (got < want) endOfFile_ = true;
    // A read from a pipe may wait long, and Ctrl+C often ends the program that writes into it
    // too: the interruption counts as soon as the read comes back, not as the input's end.
    if (stream_ && platform::interruptRequested()) {
        interrupted_ = true;
        return false;
    }
    return true;
}

bool PacketReader::readFromStart() {
    windowOffset_ = 0;
    readIndex_ = 0;
    endOfFile_ = false;
    filled_ = 0;
    return readBatch();
}

bool PacketReader::refill() {
    // The packets delivered from this batch are looked at before it goes.
    flushDelivered();
    // A run the user interrupts stops here, between two batches, with whole packets delivered.
    if (platform::interruptRequested()) {
        interrupted_ = true;
        return false;
    }
    // The unconsumed tail (shorter than three packets) moves into the carry area, directly
    // in front of the data area, so that the next batch continues it contiguously.
    const std::int32_t rest = unconsumed();
    if (rest > 0) std::memmove(dataArea_ - rest, dataArea_ + readIndex_, static_cast<std::size_t>(rest));
    windowOffset_ += static_cast<std::int64_t>(blocksPerBatch_) * kBlockSize;
    readIndex_ = -rest;
    runStart_ = readIndex_;
    filled_ = 0;
    return readBatch();
}

bool PacketReader::rewind() {
    if (!stream_ && fileSize_ <= 0) {
        platform::print("%s", msg::kEmptyInput);
        return false;
    }
    consumed_ = 0;
    runStart_ = 0;
    if (windowOffset_ == 0) {
        // The first batch is still in memory: nothing is read twice.
        readIndex_ = 0;
        return true;
    }
    if (stream_) return readFirstStreamBatch();
    if (!file_.seek(0, platform::Origin::Begin)) {
        platform::print("%s", msg::kReadFailed);
        return false;
    }
    return readFromStart();
}

bool PacketReader::readFirstStreamBatch() {
    // A stream is read once: only its first batch can be gone through again.
    if (windowOffset_ > 0) {
        platform::print("%s", msg::kReadFailed);
        return false;
    }
    if (!readFromStart()) return false;
    if (filled_ == 0) {
        platform::print("%s", msg::kEmptyInput);
        return false;
    }
    return true;
}

bool PacketReader::ensure(std::int32_t needed) {
    if (unconsumed() < needed && !endOfFile_ && !confined_) return refill();
    return true;
}

bool PacketReader::passOverAllBut(std::int32_t keep) {
    // What is kept moves into the carry area, one block long.
    const std::int32_t passed = std::max(unconsumed() - std::min(keep, kBlockSize), 0);
    readIndex_ += passed;
    consumed_ += passed;
    // Nothing passed over is a packet: the observer sees none of it.
    runStart_ = readIndex_;
    return refill();
}

ReadStatus PacketReader::dropRemainder() {
    flushDelivered();
    consumed_ += unconsumed();
    readIndex_ = filled_;
    runStart_ = readIndex_;
    return ReadStatus::End;
}

ReadStatus PacketReader::nextPacketSlow(const std::uint8_t*& packet) {
    if (dataArea_ == nullptr) return ReadStatus::End;
    if (!ensure(packetSize_)) return ReadStatus::Failed;
    if (unconsumed() < packetSize_) return dropRemainder();
    if (syncAt(readIndex_)) {
        packet = take();
        return ReadStatus::Packet;
    }
    return resynchronise(packet);
}

ReadStatus PacketReader::resynchronise(const std::uint8_t*& packet) {
    // A candidate is accepted when it and the next two packets start with the sync byte.
    const std::int32_t window = 3 * packetSize_ - (kTsPacketSize - 1);
    long long removed = 0;
    flushDelivered();
    for (;;) {
        // Skipped bytes are never handed to the observer as packets.
        runStart_ = readIndex_;
        if (!ensure(window)) return ReadStatus::Failed;
        if (unconsumed() < window) return dropRemainder();
        if (syncAt(readIndex_) && syncAt(readIndex_ + packetSize_) && syncAt(readIndex_ + 2 * packetSize_)) {
            if (reportRemoved_) platform::print(msg::kRemovedBytes, removed);
            packet = take();
            return ReadStatus::Packet;
        }
        ++removed;
        ++readIndex_;
        ++consumed_;
    }
}

}  // namespace korvet
