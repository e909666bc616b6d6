// Runs the section parsers the way readTsInfo does: the section at the start of a zeroed
// 65,536-byte buffer, and a record handed over zeroed (or as the test prepared it).
#pragma once

#include <algorithm>
#include <memory>
#include <string>

#include "arib/arib_text.h"
#include "ts/eit.h"
#include "ts/sdt.h"
#include "ts/sit.h"
#include "ts_test_support.h"

namespace ts_test {

struct ParseBench {
    std::unique_ptr<ts::SectionBuffer> buffer = std::make_unique<ts::SectionBuffer>();
    std::unique_ptr<ts::ExtTextAssembly> assembly = std::make_unique<ts::ExtTextAssembly>();
    rpls::ProgramInfo info{};

    ts::SectionView load(const Bytes& section) {
        buffer->fill(0);
        std::copy_n(section.begin(), section.size() < buffer->size() ? section.size() : buffer->size(),
                    buffer->begin());
        return ts::SectionView(buffer->data(), buffer->size());
    }
    std::uint16_t event(const Bytes& section) { return ts::parseEventSection(load(section), info, *assembly); }
    void selection(const Bytes& section) { ts::parseSelectionSection(load(section), info, *assembly); }
    void serviceName(std::uint16_t serviceId, const Bytes& section) {
        ts::parseServiceName(serviceId, load(section), info);
    }

    std::u16string assembled() const {
        return std::u16string(assembly->units.data(), static_cast<std::size_t>(assembly->unitCount));
    }
    Bytes extText() const { return Bytes(info.extText, info.extText + info.extTextLength); }
    int channelNumber() const { return info.channelNumber[0] << 8 | info.channelNumber[1]; }
};

inline Bytes encodedText(const std::u16string& text) {
    std::uint8_t out[1200];
    const int length = arib::encodeAribText(out, 1200, text.data(), static_cast<int>(text.size()), false);
    return Bytes(out, out + (length < 1200 ? length : 1200));
}

}  // namespace ts_test
