#include "io/packet_reader.h"

#include "app/messages.h"
#include "platform/console.h"

#include <cstring>

namespace korvet {

bool PacketReader::open(const char* path, std::int32_t packetSize, std::int32_t blocksPerBatch, bool unbuffered) {
    // A batch still being read ahead for an earlier file must land before its file closes.
    readAhead_.drain();
    if (!file_.openExisting(path, platform::Access::Read, true, unbuffered)) {
        platform::print("%s", msg::kInputOpenFailed);
        return false;
    }
    packetSize_ = packetSize;
    blocksPerBatch_ = blocksPerBatch;
    reportRemoved_ = true;
    fileSize_ = file_.size();
    consumed_ = 0;
    windowOffset_ = -1;
    filled_ = 0;
    readIndex_ = 0;
    endOfFile_ = false;
    // Batches are read in one transfer whose length is a 32-bit count; a larger request is
    // refused like any other buffer that cannot be had. Unbuffered reads wait for the disk:
    // further areas let the next batches be read while this one is converted (where they
    // cannot be had, each batch is read when needed). A buffered read only copies from the
    // system cache, which reads ahead by itself; done here, on the processor that converts
    // next, it leaves the batch in that processor's cache.
    const std::uint64_t areaBytes = (static_cast<std::uint64_t>(blocksPerBatch) + 1) * kBlockSize;
    if (blocksPerBatch < 1 || blocksPerBatch > kMaxBlocksPerBatch) {
        platform::print("%s", msg::kReadBufferFailed);
        return false;
    }
    for (areaCount_ = file_.isUnbuffered() ? kMaxAreas : 1; !buffer_.allocate(areaCount_ * areaBytes, kBlockSize); --areaCount_) {
        if (areaCount_ == 1) {
            platform::print("%s", msg::kReadBufferFailed);
            return false;
        }
    }
    for (std::int32_t area = 0; area < areaCount_; ++area)
        areas_[area] = buffer_.data() + area * areaBytes + kBlockSize;
    currentArea_ = 0;
    dataArea_ = areas_[0];
    return true;
}

void PacketReader::close() {
    readAhead_.drain();
    file_.close();
    buffer_.release();
    for (std::uint8_t*& area : areas_) area = nullptr;
    dataArea_ = nullptr;
}

bool PacketReader::acceptBatch(std::int64_t got) {
    if (got < 0) {
        platform::print("%s", msg::kReadFailed);
        return false;
    }
    filled_ = static_cast<std::int32_t>(got);
    if (got < batchBytes()) endOfFile_ = true;
    return true;
}

bool PacketReader::readBatch() {
    // The whole batch in one call: still whole blocks at aligned offsets, fewer requests.
    return acceptBatch(file_.read(dataArea_, static_cast<std::size_t>(batchBytes())));
}

void PacketReader::startReadAhead() {
    // Every area but the current one may be on its way; without a background transfer the
    // refill reads by itself.
    while (!endOfFile_ && readAhead_.count() < areaCount_ - 1) {
        std::uint8_t* area = areaAfter(1 + readAhead_.count());
        if (!readAhead_.startRead(file_, area, static_cast<std::size_t>(batchBytes()), blocksPerBatch_)) return;
    }
}

bool PacketReader::refill() {
    // The unconsumed tail (shorter than three packets) moves into the carry area, directly
    // in front of the next data area, so that the next batch continues it contiguously.
    std::uint8_t* next = areaAfter(1);
    const std::int32_t rest = unconsumed();
    if (rest > 0) std::memmove(next - rest, dataArea_ + readIndex_, static_cast<std::size_t>(rest));
    windowOffset_ += batchBytes();
    readIndex_ = -rest;
    filled_ = 0;
    currentArea_ = (currentArea_ + 1) % areaCount_;
    dataArea_ = next;
    const bool ok = readAhead_.count() > 0 ? acceptBatch(readAhead_.collectOldest()) : readBatch();
    if (!ok) return false;
    startReadAhead();
    return true;
}

bool PacketReader::rewind() {
    if (fileSize_ <= 0) {
        platform::print("%s", msg::kEmptyInput);
        return false;
    }
    consumed_ = 0;
    if (windowOffset_ == 0) {
        // The first batch is still in memory (and the second may be on its way): nothing is
        // read twice.
        readIndex_ = 0;
        return true;
    }
    // Batches read ahead belong to the old position.
    readAhead_.drain();
    if (!file_.seek(0, platform::Origin::Begin)) {
        platform::print("%s", msg::kReadFailed);
        return false;
    }
    windowOffset_ = 0;
    currentArea_ = 0;
    dataArea_ = areas_[0];
    readIndex_ = 0;
    endOfFile_ = false;
    filled_ = 0;
    if (!readBatch()) return false;
    startReadAhead();
    return true;
}

bool PacketReader::ensure(std::int32_t needed) {
    if (unconsumed() < needed && !endOfFile_) return refill();
    return true;
}

ReadStatus PacketReader::dropRemainder() {
    consumed_ += unconsumed();
    readIndex_ = filled_;
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
    for (;;) {
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
