#include "ts/ts_reader.h"

#include <cstring>

namespace ts {

void TsReader::setUp(platform::File& file, int packetSize) {
    handle_ = &file;
    packetSize_ = packetSize;
    syncOffset_ = packetSize - kTsPacketSize;
    area_.fill(0);
    filled_ = 0;
    pos_ = 0;
}

int TsReader::readWindow() {
    const std::int64_t got = handle_->read(data(), kWindowSize);
    // A failed read counts as a read of nothing: the data then ends at the next refill.
    return got > 0 ? static_cast<int>(got) : 0;
}

void TsReader::seekToPercent(int percent) {
    std::int64_t size = handle_->size();
    if (size < 0) size = 0;
    if (percent < 0) percent = 0;
    if (percent > 99) percent = 99;
    const std::int64_t start = size * percent / 100;
    const std::int64_t inBlock = start % kWindowSize;
    pos_ = static_cast<int>(inBlock);
    filled_ = handle_->seek(start - inBlock, platform::Origin::Begin) ? readWindow() : 0;
}

bool TsReader::refill(int need) {
    const int avail = filled_ - pos_;
    if (avail >= need) return true;
    if (filled_ != kWindowSize) return false;  // the last read came up short: end of file
    if (avail > 0) std::memmove(data() - avail, data() + pos_, static_cast<std::size_t>(avail));
    pos_ = avail > 0 ? -avail : 0;
    filled_ = readWindow();
    return filled_ - pos_ >= need;
}

const std::uint8_t* TsReader::nextPacket() {
    if (!refill(packetSize_)) return nullptr;
    if (!syncAt(pos_ + syncOffset_)) {
        const int need = syncOffset_ + 2 * packetSize_ + 1;
        for (;;) {
            if (!refill(need)) return nullptr;
            if (syncAt(pos_ + syncOffset_) && syncAt(pos_ + syncOffset_ + packetSize_) &&
                syncAt(pos_ + syncOffset_ + 2 * packetSize_)) {
                break;
            }
            ++pos_;
        }
    }
    const std::uint8_t* packet = data() + pos_;
    pos_ += packetSize_;
    return packet;
}

}  // namespace ts
