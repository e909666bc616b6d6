#pragma once

#include "platform/file.h"

namespace rpls {

// What a file is, judged from its first 1024 bytes. The TS values are the packet sizes.
enum class FileKind { NotRecognised = 0, Rpls = 1, Ts188 = 188, Ts192 = 192 };

// Moves the file position. An unreadable or short file reads as zeros.
FileKind detectFileKind(platform::File& file);
FileKind detectFileKind(const unsigned char* head, std::size_t length);

}  // namespace rpls
