#include "rpls/file_kind.h"

#include <cstring>

#include "rpls/rpls_format.h"

namespace rpls {

namespace {

constexpr std::size_t kHeadSize = 1024;

bool syncBytesAt(const unsigned char* head, std::size_t first, std::size_t spacing) {
    for (std::size_t i = 0; i < 4; ++i) {
        if (head[first + spacing * i] != 0x47) return false;
    }
    return true;
}

}  // namespace

FileKind detectFileKind(const unsigned char* data, std::size_t length) {
    unsigned char head[kHeadSize] = {};
    if (length != 0) std::memcpy(head, data, length < kHeadSize ? length : kHeadSize);
    if (std::memcmp(head, kMagic, sizeof kMagic) == 0) return FileKind::Rpls;
    if (syncBytesAt(head, 0, 188)) return FileKind::Ts188;
    if (syncBytesAt(head, 4, 192)) return FileKind::Ts192;
    return FileKind::NotRecognised;
}

FileKind detectFileKind(platform::File& file) {
    unsigned char head[kHeadSize] = {};
    std::int64_t got = 0;
    if (file.seek(0)) got = file.read(head, kHeadSize);
    if (got < 0) got = 0;
    return detectFileKind(head, static_cast<std::size_t>(got));
}

}  // namespace rpls
