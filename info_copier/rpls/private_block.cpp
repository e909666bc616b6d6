#include "rpls/private_block.h"

#include "rpls/rpls_format.h"

namespace rpls {

PrivateBlock findPrivateBlock(ConstByteView image) {
    PrivateBlock block;
    const std::uint32_t offset = image.be32(kPrivateBlockOffsetPos);
    if (offset == 0 || !image.contains(offset, kBlockLayoutIdPos + 2)) return block;
    const std::uint16_t id = image.be16(std::uint64_t{offset} + kBlockLayoutIdPos);
    std::size_t extent = 0;
    PrivateLayout layout = PrivateLayout::None;
    if (id == kLayout0108) {
        layout = PrivateLayout::Layout0108;
        extent = kBlock0108Extent;
    } else if (id == kLayout0103) {
        layout = PrivateLayout::Layout0103;
        extent = kBlock0103Extent;
    } else {
        return block;
    }
    if (!image.contains(offset, extent)) {
        block.outsideImage = true;
        return block;
    }
    block.layout = layout;
    block.offset = offset;
    return block;
}

bool hasLayout(ConstByteView image, std::uint16_t layoutId) {
    const PrivateLayout layout = findPrivateBlock(image).layout;
    return (layoutId == kLayout0108 && layout == PrivateLayout::Layout0108) ||
           (layoutId == kLayout0103 && layout == PrivateLayout::Layout0103);
}

}  // namespace rpls
