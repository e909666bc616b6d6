// Random sections to the EIT, SDT and SIT parsers. The first byte picks the parser; the rest
// fills the start of a 65,536-byte section buffer (zeros behind, or none when it is full).
#include <cstdint>
#include <cstring>
#include <memory>

#include "rpls/fuzz/record_bounds.h"
#include "ts/eit.h"
#include "ts/sdt.h"
#include "ts/sit.h"

namespace {

struct Workspace {
    ts::SectionBuffer section;
    ts::ExtTextAssembly assembly;
    rpls::ProgramInfo info;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::unique_ptr<Workspace> workspace = std::make_unique<Workspace>();
    if (size < 1) return 0;
    const std::uint8_t selector = data[0];
    ++data;
    --size;
    Workspace& w = *workspace;
    w.section.fill(0);
    std::memcpy(w.section.data(), data, size < w.section.size() ? size : w.section.size());
    std::memset(&w.info, 0, sizeof w.info);
    const ts::SectionView view(w.section.data(), w.section.size());
    switch (selector % 3) {
        case 0: {
            const std::uint16_t serviceId = ts::parseEventSection(view, w.info, w.assembly);
            ts::parseServiceName(serviceId, view, w.info);
            break;
        }
        case 1: ts::parseServiceName(view.be16(11), view, w.info); break;
        case 2: ts::parseSelectionSection(view, w.info, w.assembly); break;
    }
    // Every length stays inside its field.
    if (!rpls::lengthsInsideFields(w.info)) __builtin_trap();
    return 0;
}
