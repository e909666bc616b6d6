// The decoder's two paths. The general path follows the coding rules byte by byte (a control,
// or a graphic character of the set its half invokes) and handles every input; the common path
// (common_path.h) decodes most programme text faster and hands everything else to it.
// `decodeAribText` uses both; the general path alone is there to check the common path
// against, and decodes exactly the same text.
#pragma once

#include <cstdint>

namespace arib {

enum class DecoderPaths { CommonAndGeneral, GeneralOnly };

// `decodeAribText` with the paths chosen; same arguments, result and output rule.
template <DecoderPaths paths>
int decodeAribTextBy(char16_t* dst, int dstCapacity, const std::uint8_t* src, int srcLength);

extern template int decodeAribTextBy<DecoderPaths::CommonAndGeneral>(char16_t*, int, const std::uint8_t*, int);
extern template int decodeAribTextBy<DecoderPaths::GeneralOnly>(char16_t*, int, const std::uint8_t*, int);

}  // namespace arib
