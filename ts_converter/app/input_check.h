// Checks, before the output file is made, that the input is of the packet format that the
// chosen conversion reads, so that a wrong switch ends with a clear message instead of an
// empty or garbled output.
#pragma once

#include "app/conversion.h"
#include "io/packet_reader.h"

namespace korvet {

// Looks at the reader's first batch (after rewind). False after printing the message: the
// input has packets of the other size, or, for a conversion that reads FW192, a header that
// FW192 cannot have. An input in which neither size is found passes: the conversion then
// finds out whether any packet lies further in.
bool checkInputFormat(const PacketReader& reader, const ConversionInfo& info, bool cycle3000);

}  // namespace korvet
