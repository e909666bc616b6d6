// The working memory of a table scan: its packet reader and one collector per PID it
// listens to. Allocated once per run and set up afresh by each scan.
#pragma once

#include "ts/section_collector.h"
#include "ts/ts_reader.h"

namespace ts {

struct ScanWorkspace {
    TsReader reader;
    SectionCollector collectors[3];
};

}  // namespace ts
