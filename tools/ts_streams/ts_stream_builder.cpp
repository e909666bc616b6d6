#include "ts_stream_builder.h"

#include <algorithm>
#include <cstdio>

namespace ts_streams {

std::uint8_t TsStreamBuilder::nextContinuity(std::uint16_t pid) {
    const std::uint8_t value = continuity_[pid & 0x1FFF];
    continuity_[pid & 0x1FFF] = static_cast<std::uint8_t>((value + 1) & 0x0F);
    return value;
}

void TsStreamBuilder::addRawPacket(const Bytes& packet188) {
    if (packetSize_ == 192) {
        // A 30-bit arrival time stamp that advances with each packet.
        const std::uint32_t stamp = (packetCount_ * 1000u) & 0x3FFFFFFFu;
        for (int shift = 24; shift >= 0; shift -= 8) bytes_.push_back(static_cast<std::uint8_t>(stamp >> shift));
    }
    Bytes packet = packet188;
    packet.resize(188, 0xFF);
    bytes_.insert(bytes_.end(), packet.begin(), packet.end());
    ++packetCount_;
}

void TsStreamBuilder::addGarbage(const Bytes& bytes) { bytes_.insert(bytes_.end(), bytes.begin(), bytes.end()); }

void TsStreamBuilder::emitPacket(std::uint16_t pid, bool unitStart, int adaptation, const std::uint8_t* payload,
                                 int payloadLength, int pointer) {
    Bytes packet;
    packet.reserve(188);
    packet.push_back(0x47);
    packet.push_back(static_cast<std::uint8_t>((unitStart ? 0x40 : 0x00) | ((pid >> 8) & 0x1F)));
    packet.push_back(static_cast<std::uint8_t>(pid));
    packet.push_back(static_cast<std::uint8_t>((adaptation > 0 ? 0x30 : 0x10) | nextContinuity(pid)));
    if (adaptation > 0) {
        packet.push_back(static_cast<std::uint8_t>(adaptation - 1));  // adaptation_field_length
        if (adaptation > 1) {
            packet.push_back(0x00);  // no flags
            packet.insert(packet.end(), static_cast<std::size_t>(adaptation - 2), 0xFF);
        }
    }
    if (unitStart) packet.push_back(static_cast<std::uint8_t>(pointer));
    packet.insert(packet.end(), payload, payload + payloadLength);
    packet.resize(188, 0xFF);
    addRawPacket(packet);
}

void TsStreamBuilder::addSections(std::uint16_t pid, const std::vector<Bytes>& sections, int firstAdaptation) {
    Bytes stream;
    std::vector<int> starts;
    for (const Bytes& section : sections) {
        starts.push_back(static_cast<int>(stream.size()));
        stream.insert(stream.end(), section.begin(), section.end());
    }
    const int total = static_cast<int>(stream.size());
    int pos = 0;
    int adaptation = firstAdaptation;
    while (pos < total) {
        int capacity = 184 - adaptation;
        // The first section start that this packet would carry behind a pointer_field.
        const auto start = std::lower_bound(starts.begin(), starts.end(), pos);
        const bool unitStart = start != starts.end() && *start < pos + capacity - 1;
        if (unitStart) {
            const int length = std::min(capacity - 1, total - pos);
            emitPacket(pid, true, adaptation, stream.data() + pos, length, *start - pos);
            pos += length;
        } else {
            // A section may not begin in the last payload byte of a packet without a pointer_field:
            // give that byte to the adaptation field instead.
            if (start != starts.end() && *start == pos + capacity - 1) {
                ++adaptation;
                --capacity;
            }
            const int length = std::min(capacity, total - pos);
            emitPacket(pid, false, adaptation, stream.data() + pos, length, 0);
            pos += length;
        }
        adaptation = 0;
    }
}

void TsStreamBuilder::addFillerPackets(int count, std::uint16_t pid) {
    const std::uint8_t payload[184] = {};
    for (int i = 0; i < count; ++i) emitPacket(pid, false, 0, payload, 184, 0);
}

bool TsStreamBuilder::writeTo(const std::string& path) const {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes_.data(), 1, bytes_.size(), file) == bytes_.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace ts_streams
