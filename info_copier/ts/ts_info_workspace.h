// The working memory of reading one TS source: the section found, the scans' reader and
// collectors, and the extended-text assembly. Large; allocated once per run (or once per read)
// and set up afresh by every read that uses it.
#pragma once

#include "ts/ext_text_assembly.h"
#include "ts/scan_workspace.h"
#include "ts/section_buffer.h"

namespace ts {

struct TsInfoWorkspace {
    SectionBuffer section;
    ScanWorkspace scan;
    ExtTextAssembly assembly;
};

}  // namespace ts
