#include "ts_builder.h"

#include "psi/crc32.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdio>
#include <fstream>

namespace korvet::test {

Bytes section(std::uint8_t tableId, const Bytes& afterLength) {
    const std::size_t length = afterLength.size() + 4;
    Bytes out{tableId, static_cast<std::uint8_t>(0xB0 | ((length >> 8) & 0x0F)), static_cast<std::uint8_t>(length)};
    append(out, afterLength);
    const std::uint32_t crc = sectionCrc32(out);
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(crc >> shift));
    return out;
}

Bytes patSection(const std::vector<std::pair<std::uint16_t, std::uint16_t>>& programs) {
    Bytes body{0x00, 0x01, 0xC1, 0x00, 0x00};  // transport_stream_id, version, section numbers
    for (const auto& [number, pid] : programs) {
        body.push_back(static_cast<std::uint8_t>(number >> 8));
        body.push_back(static_cast<std::uint8_t>(number));
        body.push_back(static_cast<std::uint8_t>(0xE0 | (pid >> 8)));
        body.push_back(static_cast<std::uint8_t>(pid));
    }
    return section(0x00, body);
}

Bytes pmtSection(std::uint16_t pcrPid) {
    const Bytes body{0x00,
                     0x01,
                     0xC1,
                     0x00,
                     0x00,
                     static_cast<std::uint8_t>(0xE0 | (pcrPid >> 8)),
                     static_cast<std::uint8_t>(pcrPid),
                     0xF0,
                     0x00};
    return section(0x02, body);
}

Bytes packet(std::uint16_t pid, bool unitStart, const Bytes& payload, std::uint8_t counter) {
    Bytes out{0x47, static_cast<std::uint8_t>((unitStart ? 0x40 : 0x00) | (pid >> 8)), static_cast<std::uint8_t>(pid),
              static_cast<std::uint8_t>(0x10 | (counter & 0x0F))};
    for (std::size_t i = 0; i < 184; ++i) out.push_back(i < payload.size() ? payload[i] : 0xFF);
    return out;
}

std::vector<Bytes> sectionPackets(std::uint16_t pid, const Bytes& sectionBytes, std::size_t firstChunk) {
    std::vector<Bytes> packets;
    std::size_t first = firstChunk == 0 ? 183 : firstChunk;
    if (first > sectionBytes.size()) first = sectionBytes.size();
    Bytes payload{0x00};
    payload.insert(payload.end(), sectionBytes.begin(), sectionBytes.begin() + static_cast<std::ptrdiff_t>(first));
    packets.push_back(packet(pid, true, payload, 0));
    for (std::size_t at = first; at < sectionBytes.size(); at += 184) {
        const std::size_t end = std::min(at + 184, sectionBytes.size());
        packets.push_back(packet(pid, false,
                                 Bytes(sectionBytes.begin() + static_cast<std::ptrdiff_t>(at),
                                       sectionBytes.begin() + static_cast<std::ptrdiff_t>(end)),
                                 static_cast<std::uint8_t>(packets.size())));
    }
    return packets;
}

Bytes pcrPacket(std::uint16_t pid, std::int64_t pcr) {
    const std::int64_t base = pcr / 300;
    const std::int64_t extension = pcr % 300;
    Bytes out{0x47, static_cast<std::uint8_t>(pid >> 8), static_cast<std::uint8_t>(pid), 0x20, 183, 0x10};
    out.push_back(static_cast<std::uint8_t>(base >> 25));
    out.push_back(static_cast<std::uint8_t>(base >> 17));
    out.push_back(static_cast<std::uint8_t>(base >> 9));
    out.push_back(static_cast<std::uint8_t>(base >> 1));
    out.push_back(static_cast<std::uint8_t>(((base & 1) << 7) | 0x7E | ((extension >> 8) & 1)));
    out.push_back(static_cast<std::uint8_t>(extension));
    out.resize(188, 0xFF);
    return out;
}

Bytes payloadPacket(std::uint16_t pid, std::uint32_t seed) {
    Bytes payload;
    for (std::uint32_t i = 0; i < 184; ++i)
        payload.push_back(static_cast<std::uint8_t>((seed * 31 + i * 7) ^ (seed >> 8)));
    return packet(pid, false, payload, static_cast<std::uint8_t>(seed));
}

void append(Bytes& out, const Bytes& bytes) { out.insert(out.end(), bytes.begin(), bytes.end()); }

void append(Bytes& out, const std::vector<Bytes>& packets) {
    for (const Bytes& p : packets) append(out, p);
}

Bytes withHeader(std::uint32_t header, const Bytes& ts) {
    Bytes out{static_cast<std::uint8_t>(header >> 24), static_cast<std::uint8_t>(header >> 16),
              static_cast<std::uint8_t>(header >> 8), static_cast<std::uint8_t>(header)};
    append(out, ts);
    return out;
}

std::string tempPath(const std::string& name) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string test = info != nullptr ? std::string(info->test_suite_name()) + "_" + info->name() : "korvet";
    for (char& c : test)
        if (c == '/') c = '_';
    const std::string path = ::testing::TempDir() + "korvet_" + std::to_string(::getpid()) + "_" + test + "_" + name;
    std::remove(path.c_str());
    return path;
}

void writeFile(const std::string& path, const Bytes& bytes) {
    std::remove(path.c_str());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return {};
    Bytes bytes(static_cast<std::size_t>(in.tellg()));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

}  // namespace korvet::test
