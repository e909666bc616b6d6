// The five packet-format conversions and what each does to a packet.
#pragma once

#include "app/convert_options.h"

#include <array>
#include <cstdint>

namespace korvet {

enum class Conversion { Ts188ToFw192, Ts188ToBd192, ToTs188, Fw192ToBd192, Bd192ToFw192 };

enum class HeaderSource {
    Timestamper,  // made from the stream's PCR
    Dropped,      // no header in the output
    Converter,    // rewritten from the input header
};

struct ConversionInfo {
    Conversion conversion;
    const char* modeLine;
    std::int32_t inputPacketSize;
    std::int32_t outputPacketSize;
    HeaderSource header;
};

inline constexpr std::array<ConversionInfo, 5> kConversions{{
    {Conversion::Ts188ToFw192, "188 -> FW192", 188, 192, HeaderSource::Timestamper},
    {Conversion::Ts188ToBd192, "188 -> BD192", 188, 192, HeaderSource::Timestamper},
    {Conversion::ToTs188, "BD192, FW192 -> 188", 192, 188, HeaderSource::Dropped},
    {Conversion::Fw192ToBd192, "FW192 -> BD192", 192, 192, HeaderSource::Converter},
    {Conversion::Bd192ToFw192, "BD192 -> FW192", 192, 192, HeaderSource::Converter},
}};

inline constexpr Conversion chosenConversion(const ConvertOptions& options) {
    if (options.ts188ToFw192) return Conversion::Ts188ToFw192;
    if (options.ts188ToBd192) return Conversion::Ts188ToBd192;
    if (options.toTs188) return Conversion::ToTs188;
    if (options.fw192ToBd192) return Conversion::Fw192ToBd192;
    return Conversion::Bd192ToFw192;
}

inline constexpr const ConversionInfo& conversionInfo(Conversion conversion) {
    return kConversions[static_cast<std::size_t>(conversion)];
}

}  // namespace korvet
