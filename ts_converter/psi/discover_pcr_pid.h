// Finds the PCR PID of a transport stream: the first valid PAT, its first PMT PID, the first
// valid section on that PID after the PAT.
#pragma once

#include "io/packet_reader.h"
#include "psi/pat.h"

namespace korvet {

// Reads from where the reader stands; never rewinds it. True with `info.pcrPid` set, or
// false after printing one message.
bool discoverPcrPid(PacketReader& reader, PsiInfo& info);

}  // namespace korvet
