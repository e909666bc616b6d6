#include "si_sections.h"

#include <algorithm>

namespace ts_streams {

namespace {

void putBe16(Bytes& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

Bytes withLength(const Bytes& bytes) {
    Bytes out(bytes.size() + 1);
    out[0] = static_cast<std::uint8_t>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), out.begin() + 1);
    return out;
}

}  // namespace

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

std::uint32_t mpegCrc32(const Bytes& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const std::uint8_t byte : bytes) {
        crc ^= static_cast<std::uint32_t>(byte) << 24;
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 0x80000000u) ? (crc << 1) ^ 0x04C11DB7u : crc << 1;
    }
    return crc;
}

void resealSection(Bytes& section) {
    if (section.size() < 4) return;
    section.resize(section.size() - 4);
    const std::uint32_t crc = mpegCrc32(section);
    for (int shift = 24; shift >= 0; shift -= 8) section.push_back(static_cast<std::uint8_t>(crc >> shift));
}

Bytes rawSection(std::uint8_t tableId, const Bytes& afterLength) {
    Bytes out;
    out.push_back(tableId);
    putBe16(out, 0xB000 | ((static_cast<unsigned>(afterLength.size()) + 4) & 0x0FFF));
    out.insert(out.end(), afterLength.begin(), afterLength.end());
    out.resize(out.size() + 4);
    resealSection(out);
    return out;
}

Bytes longSection(std::uint8_t tableId, std::uint16_t extension, std::uint8_t sectionNumber,
                  std::uint8_t lastSectionNumber, const Bytes& body) {
    const unsigned sectionLength = 5 + static_cast<unsigned>(body.size()) + 4;
    Bytes out;
    out.push_back(tableId);
    putBe16(out, 0xB000 | (sectionLength & 0x0FFF));
    putBe16(out, extension);
    out.push_back(0xC1);  // version 0, current_next_indicator 1
    out.push_back(sectionNumber);
    out.push_back(lastSectionNumber);
    out.insert(out.end(), body.begin(), body.end());
    out.resize(out.size() + 4);
    resealSection(out);
    return out;
}

Bytes patSection(std::uint16_t transportStreamId, const std::vector<PatEntry>& programs) {
    Bytes body;
    for (const PatEntry& entry : programs) {
        putBe16(body, entry.programNumber);
        putBe16(body, 0xE000 | entry.pid);
    }
    return longSection(0x00, transportStreamId, 0, 0, body);
}

Bytes pmtSection(const PmtFields& fields) {
    Bytes body;
    putBe16(body, 0xE000 | fields.pcrPid);
    putBe16(body, 0xF000 | (static_cast<unsigned>(fields.programInfo.size()) & 0x0FFF));
    body.insert(body.end(), fields.programInfo.begin(), fields.programInfo.end());
    for (const PmtStream& stream : fields.streams) {
        body.push_back(stream.streamType);
        putBe16(body, 0xE000 | stream.pid);
        putBe16(body, 0xF000);  // ES_info_length 0
    }
    return longSection(0x02, fields.programNumber, 0, 0, body);
}

Bytes pmtSection(std::uint16_t programNumber, std::uint16_t pcrPid, std::uint16_t videoPid) {
    return pmtSection(PmtFields{programNumber, pcrPid, {}, {{0x02, videoPid}}});  // 0x02: MPEG-2 video
}

Bytes rawDescriptor(std::uint8_t tag, const Bytes& payload) {
    Bytes out(payload.size() + 2);
    out[0] = tag;
    out[1] = static_cast<std::uint8_t>(payload.size());
    std::copy(payload.begin(), payload.end(), out.begin() + 2);
    return out;
}

Bytes serviceDescriptor(std::uint8_t serviceType, const Bytes& providerName, const Bytes& serviceName) {
    return rawDescriptor(0x48, concat({{serviceType}, withLength(providerName), withLength(serviceName)}));
}

Bytes shortEventDescriptor(const Bytes& eventName, const Bytes& text) {
    return rawDescriptor(0x4D, concat({{'j', 'p', 'n'}, withLength(eventName), withLength(text)}));
}

Bytes extendedEventDescriptor(std::uint8_t number, std::uint8_t lastNumber, const std::vector<ExtendedItem>& items,
                              const Bytes& text) {
    Bytes itemBytes;
    for (const ExtendedItem& item : items) {
        itemBytes = concat({itemBytes, withLength(item.description), withLength(item.text)});
    }
    const std::uint8_t numbers = static_cast<std::uint8_t>((number << 4) | (lastNumber & 0x0F));
    return rawDescriptor(0x4E, concat({{numbers, 'j', 'p', 'n'}, withLength(itemBytes), withLength(text)}));
}

Bytes contentDescriptor(const Bytes& contentBytes) {
    Bytes payload;
    for (const std::uint8_t content : contentBytes) payload.insert(payload.end(), {content, 0xFF});
    return rawDescriptor(0x54, payload);
}

Bytes partialTsTimeDescriptor(std::uint16_t mjd, const Bytes& startBcd, const Bytes& durationBcd) {
    Bytes payload = {0x00};  // event_version_number
    putBe16(payload, mjd);
    payload.insert(payload.end(), startBcd.begin(), startBcd.end());
    payload.insert(payload.end(), durationBcd.begin(), durationBcd.end());
    payload.insert(payload.end(), {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});  // offset and time: unused
    return rawDescriptor(0xC3, payload);
}

Bytes networkIdentificationDescriptor(std::uint16_t mediaType, std::uint16_t networkId) {
    Bytes payload = {'J', 'P', 'N'};
    putBe16(payload, mediaType);
    putBe16(payload, networkId);
    return rawDescriptor(0xC2, payload);
}

Bytes tsInformationDescriptor(std::uint8_t remoteControlKeyId) {
    return rawDescriptor(0xCD, {remoteControlKeyId, 0x00});  // no transmission type loop
}

Bytes eitSection(const EitFields& fields) {
    Bytes body;
    putBe16(body, fields.transportStreamId);
    putBe16(body, fields.originalNetworkId);
    body.push_back(1);  // segment_last_section_number
    body.push_back(fields.tableId);
    for (const EitEvent& event : fields.events) {
        putBe16(body, event.eventId);
        putBe16(body, event.mjd);
        body.insert(body.end(), event.startBcd.begin(), event.startBcd.end());
        body.insert(body.end(), event.durationBcd.begin(), event.durationBcd.end());
        putBe16(body, 0x8000 | (static_cast<unsigned>(event.descriptors.size()) & 0x0FFF));  // running
        body.insert(body.end(), event.descriptors.begin(), event.descriptors.end());
    }
    return longSection(fields.tableId, fields.serviceId, fields.sectionNumber, 1, body);
}

Bytes sdtSection(std::uint8_t tableId, std::uint16_t transportStreamId, std::uint16_t originalNetworkId,
                 const std::vector<SdtService>& services) {
    Bytes body;
    putBe16(body, originalNetworkId);
    body.push_back(0xFF);
    for (const SdtService& service : services) {
        putBe16(body, service.serviceId);
        body.push_back(0xFC);  // EIT flags
        putBe16(body, 0x8000 | (static_cast<unsigned>(service.descriptors.size()) & 0x0FFF));
        body.insert(body.end(), service.descriptors.begin(), service.descriptors.end());
    }
    return longSection(tableId, transportStreamId, 0, 0, body);
}

Bytes sitSection(const Bytes& transmissionDescriptors, const std::vector<SitService>& services) {
    Bytes body;
    putBe16(body, 0xF000 | (static_cast<unsigned>(transmissionDescriptors.size()) & 0x0FFF));
    body.insert(body.end(), transmissionDescriptors.begin(), transmissionDescriptors.end());
    for (const SitService& service : services) {
        putBe16(body, service.serviceId);
        putBe16(body, 0x8000 | (static_cast<unsigned>(service.descriptors.size()) & 0x0FFF));
        body.insert(body.end(), service.descriptors.begin(), service.descriptors.end());
    }
    return longSection(0x7F, 0xFFFF, 0, 0, body);
}

}  // namespace ts_streams
