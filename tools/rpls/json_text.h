// Appending JSON values to a string: strings escaped, bytes as hexadecimal digits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace inspect {

// A JSON string of UTF-8 text; a byte that does not belong to a well-formed UTF-8 sequence
// (a file name in another coding, say) becomes U+FFFD.
void appendJsonString(std::string& out, std::string_view utf8);

// A JSON string of the bytes as lower-case hexadecimal digits, two per byte.
void appendJsonHex(std::string& out, const std::uint8_t* bytes, std::size_t size);

}  // namespace inspect
