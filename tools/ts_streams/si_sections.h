// Builds PSI/SI sections and descriptors (PAT, PMT, EIT, SDT, SIT) with correct lengths and
// CRC_32, for test streams. Text arguments are already ARIB-coded bytes.
#pragma once

#include <cstdint>
#include <vector>

namespace ts_streams {

using Bytes = std::vector<std::uint8_t>;

Bytes concat(std::initializer_list<Bytes> parts);

// CRC-32/MPEG-2 of `bytes`.
std::uint32_t mpegCrc32(const Bytes& bytes);

// A long-form section: table_id, section_length, table_id_extension, version 0 (current),
// section_number, last_section_number, `body`, CRC_32.
Bytes longSection(std::uint8_t tableId, std::uint16_t extension, std::uint8_t sectionNumber,
                  std::uint8_t lastSectionNumber, const Bytes& body);

// A section of any layout: table_id, section_syntax_indicator and section_length, then
// `afterLength` as given and the CRC_32.
Bytes rawSection(std::uint8_t tableId, const Bytes& afterLength);

// Recomputes the CRC_32 of a whole section in place (after a test has changed its bytes).
void resealSection(Bytes& section);

struct PatEntry {
    std::uint16_t programNumber;
    std::uint16_t pid;
};
Bytes patSection(std::uint16_t transportStreamId, const std::vector<PatEntry>& programs);
struct PmtStream {
    std::uint8_t streamType;
    std::uint16_t pid;
};
struct PmtFields {
    std::uint16_t programNumber = 1;
    std::uint16_t pcrPid = 0x1FFF;
    Bytes programInfo;               // descriptors of the program info loop
    std::vector<PmtStream> streams;  // without descriptors of their own
};
Bytes pmtSection(const PmtFields& fields);
// A PMT with one MPEG-2 video stream.
Bytes pmtSection(std::uint16_t programNumber, std::uint16_t pcrPid, std::uint16_t videoPid);

// --- descriptors ---
Bytes serviceDescriptor(std::uint8_t serviceType, const Bytes& providerName, const Bytes& serviceName);
Bytes shortEventDescriptor(const Bytes& eventName, const Bytes& text);
struct ExtendedItem {
    Bytes description;
    Bytes text;
};
Bytes extendedEventDescriptor(std::uint8_t number, std::uint8_t lastNumber, const std::vector<ExtendedItem>& items,
                              const Bytes& text);
// Each entry is the content byte (level 1 high nibble, level 2 low nibble); user byte 0xFF.
Bytes contentDescriptor(const Bytes& contentBytes);
Bytes partialTsTimeDescriptor(std::uint16_t mjd, const Bytes& startBcd, const Bytes& durationBcd);
Bytes networkIdentificationDescriptor(std::uint16_t mediaType, std::uint16_t networkId);
Bytes tsInformationDescriptor(std::uint8_t remoteControlKeyId);
Bytes rawDescriptor(std::uint8_t tag, const Bytes& payload);

// --- EIT ---
struct EitEvent {
    std::uint16_t eventId = 1;
    std::uint16_t mjd = 60340;  // 2024-01-31
    Bytes startBcd = {0x21, 0x00, 0x00};
    Bytes durationBcd = {0x00, 0x54, 0x00};
    Bytes descriptors;
};
struct EitFields {
    std::uint8_t tableId = 0x4E;
    std::uint16_t serviceId = 0x0400;
    std::uint16_t transportStreamId = 0x7FE0;
    std::uint16_t originalNetworkId = 0x7FE0;
    std::uint8_t sectionNumber = 0;  // 0 = present, 1 = following
    std::vector<EitEvent> events;
};
Bytes eitSection(const EitFields& fields);

// --- SDT ---
struct SdtService {
    std::uint16_t serviceId;
    Bytes descriptors;
};
Bytes sdtSection(std::uint8_t tableId, std::uint16_t transportStreamId, std::uint16_t originalNetworkId,
                 const std::vector<SdtService>& services);

// --- SIT ---
struct SitService {
    std::uint16_t serviceId;
    Bytes descriptors;
};
Bytes sitSection(const Bytes& transmissionDescriptors, const std::vector<SitService>& services);

}  // namespace ts_streams
