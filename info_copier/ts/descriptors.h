// The descriptors of ARIB service information that carry programme information, each applied
// to the record. Each handler reads its descriptor's payload with a field cursor; reads past
// the end of the section buffer give zero, and no write leaves its field of the record.
#pragma once

#include <cstdint>

#include "rpls/program_info.h"
#include "ts/ext_text_assembly.h"
#include "ts/field_cursor.h"

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

inline bool hasTag(const Descriptor& d, DescriptorTag tag) { return d.tag == static_cast<std::uint8_t>(tag); }

// Service descriptor: the service name, cut to the 20 bytes of the field.
void applyServiceDescriptor(const Descriptor& d, rpls::ProgramInfo& info);
// Short event descriptor: title and description.
void applyShortEventDescriptor(const Descriptor& d, rpls::ProgramInfo& info);
// The three genre entries, absent, before a table's content descriptors fill them.
void clearGenres(rpls::ProgramInfo& info);
// Content descriptor: up to three genres, passing over the broadcaster-defined level 1 0xE.
void applyContentDescriptor(const Descriptor& d, rpls::ProgramInfo& info);
// Extended event descriptor: adds its items and text to the assembly. Answers the number of
// payload bytes up to the end of its text, where the next descriptor begins.
std::uint64_t applyExtendedEventDescriptor(const Descriptor& d, ExtTextAssembly& assembly);
// Partial TS time descriptor: the event's date and times.
void applyPartialTsTimeDescriptor(const Descriptor& d, rpls::ProgramInfo& info);

// Which descriptors a table's loops are searched for.
enum class DescriptorScope {
    Event,      // EIT: short event, extended event, content
    Selection,  // SIT: those, and the service and partial TS time descriptors
};

// Applies the descriptor when it belongs to the scope (others are skipped) and answers the
// number of payload bytes it takes, for forEachDescriptor.
std::uint64_t applyProgrammeDescriptor(const Descriptor& d, rpls::ProgramInfo& info, ExtTextAssembly& assembly,
                                       DescriptorScope scope);

}  // namespace ts
