#include "rpls/joined_text.h"

#include "arib/arib_text.h"
#include "rpls/rpls_format.h"
#include "rpls/text_area.h"

namespace rpls {

namespace {

constexpr int kDecodedCapacity = 65536;
constexpr int kSeparatorUnits = 4;

}  // namespace

void joinDescriptionTexts(ByteView image, const PrivateBlock& block, const ProgramInfo& info) {
    // Decoded description, the CR LF CR LF separator, decoded extended description.
    static char16_t work[kDecodedCapacity + kSeparatorUnits];
    int k = arib::decodeAribText(work, kDecodedCapacity, info.text, info.textLength);
    if (k != 0) {
        work[k++] = u'\r';
        work[k++] = u'\n';
        work[k++] = u'\r';
        work[k++] = u'\n';
    }
    // A description that fills the whole work area leaves no room for the extension.
    if (k < kDecodedCapacity)
        k += arib::decodeAribText(work + k, kDecodedCapacity - k, info.extText, info.extTextLength);

    std::uint8_t area[kTextAreaSize] = {};
    int length = arib::encodeAribText(area + 2, static_cast<int>(kTextCapacity), work, k, false);
    if (length > static_cast<int>(kTextCapacity)) length = static_cast<int>(kTextCapacity);
    area[0] = static_cast<std::uint8_t>(length >> 8);
    area[1] = static_cast<std::uint8_t>(length);
    image.write(kTextAreaPos, area, sizeof area);

    if (block.layout == PrivateLayout::Layout0108) {
        image.setBe16(std::uint64_t{block.offset} + kBlock0108ExtTextLengthPos, 0);
        image.setByte(std::uint64_t{block.offset} + kBlock0108ChecksumPos, textChecksum(area + 2));
    }
}

}  // namespace rpls
