// The descriptors of ARIB service information that carry programme information, each applied
// to the record. `d` starts at descriptor_tag; reads past the end of the section buffer give
// zero, and no write leaves its field of the record.
#pragma once

#include <cstdint>

#include "rpls/program_info.h"
#include "ts/ext_text_assembly.h"
#include "ts/section_buffer.h"

namespace ts {

enum class DescriptorTag : std::uint8_t {
    ShortEvent = 0x4D,
    ExtendedEvent = 0x4E,
    Service = 0x48,
    Content = 0x54,
    PartialTsTime = 0xC3,
    NetworkIdentification = 0xC2,
    TsInformation = 0xCD,
    SelectionText = 0x83,
    SelectionNames = 0xB2,
};

// The descriptor that starts at `offset` of the section, as a view to the end of the buffer.
inline SectionView descriptorAt(const SectionView& section, std::uint64_t offset) {
    const std::span<const std::uint8_t> rest = boundedBytes(section, offset, section.size());
    return SectionView(rest.data(), rest.size());
}
inline std::uint8_t descriptorTag(const SectionView& d) { return d.byteAt(0); }
inline int descriptorLength(const SectionView& d) { return d.byteAt(1); }

// Service descriptor: the service name, cut to the 20 bytes of the field.
void applyServiceDescriptor(const SectionView& d, rpls::ProgramInfo& info);
// Short event descriptor: title and description.
void applyShortEventDescriptor(const SectionView& d, rpls::ProgramInfo& info);
// Content descriptor: up to three genres, passing over the broadcaster-defined level 1 0xE.
void applyContentDescriptor(const SectionView& d, rpls::ProgramInfo& info);
// Extended event descriptor: adds its items and text to the assembly. Answers the number of
// bytes from the descriptor's start to the end of its text, where the next descriptor begins.
int applyExtendedEventDescriptor(const SectionView& d, ExtTextAssembly& assembly);
// Partial TS time descriptor: the event's date and times.
void applyPartialTsTimeDescriptor(const SectionView& d, rpls::ProgramInfo& info);

// Which descriptors a table's loops are searched for.
enum class DescriptorScope {
    Event,      // EIT: short event, extended event, content
    Selection,  // SIT: those, and the service and partial TS time descriptors
};

// Applies the descriptor when it belongs to the scope (others are skipped) and answers the
// offset from `d` of the next descriptor.
int applyProgrammeDescriptor(const SectionView& d, rpls::ProgramInfo& info, ExtTextAssembly& assembly,
                             DescriptorScope scope);

}  // namespace ts
