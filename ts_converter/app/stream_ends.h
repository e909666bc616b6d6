// Opens the input and output of a run: a file by its name, or standard input or output for `-`.
#pragma once

#include "app/convert_options.h"
#include "io/packet_reader.h"
#include "io/packet_writer.h"

namespace korvet {

inline bool openInput(PacketReader& reader, const char* name, std::int32_t packetSize, std::int32_t blocks,
                      bool unbuffered) {
    if (namesStandardStream(name)) return reader.openStandardInput(packetSize, blocks);
    return reader.open(name, packetSize, blocks, unbuffered);
}

inline bool openOutput(PacketWriter& writer, const char* name, std::int32_t packetSize, bool unbuffered) {
    if (namesStandardStream(name)) return writer.openStandardOutput(packetSize);
    return writer.open(name, packetSize, unbuffered);
}

}  // namespace korvet
