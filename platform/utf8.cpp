#include "platform/utf8.h"

namespace platform {

std::int64_t utf8ToUtf16(const char* text, char16_t* out, std::size_t capacity) {
    const auto* s = reinterpret_cast<const unsigned char*>(text);
    std::size_t count = 0;
    while (*s != 0) {
        std::uint32_t cp;
        int trail;
        std::uint32_t minimum;
        const unsigned char lead = *s++;
        if (lead < 0x80) {
            cp = lead;
            trail = 0;
            minimum = 0;
        } else if ((lead & 0xE0) == 0xC0) {
            cp = lead & 0x1F;
            trail = 1;
            minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            cp = lead & 0x0F;
            trail = 2;
            minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            cp = lead & 0x07;
            trail = 3;
            minimum = 0x10000;
        } else {
            return -1;
        }
        for (int i = 0; i < trail; ++i) {
            if ((*s & 0xC0) != 0x80) return -1;  // also stops at the terminating NUL
            cp = (cp << 6) | (*s++ & 0x3F);
        }
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return -1;
        if (cp >= 0x10000) {
            if (count + 2 > capacity) return -1;
            out[count++] = static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            out[count++] = static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            if (count + 1 > capacity) return -1;
            out[count++] = static_cast<char16_t>(cp);
        }
    }
    return static_cast<std::int64_t>(count);
}

std::size_t utf16ToUtf8(const char16_t* units, std::size_t count, char* out, std::size_t capacity) {
    std::size_t written = 0;
    for (std::size_t i = 0; i < count; ++i) {
        std::uint32_t cp = units[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < count && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (units[++i] - 0xDC00);
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        unsigned char bytes[4];
        std::size_t n;
        if (cp < 0x80) {
            bytes[0] = static_cast<unsigned char>(cp);
            n = 1;
        } else if (cp < 0x800) {
            bytes[0] = static_cast<unsigned char>(0xC0 | (cp >> 6));
            bytes[1] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
            n = 2;
        } else if (cp < 0x10000) {
            bytes[0] = static_cast<unsigned char>(0xE0 | (cp >> 12));
            bytes[1] = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
            bytes[2] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
            n = 3;
        } else {
            bytes[0] = static_cast<unsigned char>(0xF0 | (cp >> 18));
            bytes[1] = static_cast<unsigned char>(0x80 | ((cp >> 12) & 0x3F));
            bytes[2] = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
            bytes[3] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
            n = 4;
        }
        if (written + n > capacity) break;
        for (std::size_t k = 0; k < n; ++k) out[written++] = static_cast<char>(bytes[k]);
    }
    return written;
}

}  // namespace platform
