// Finding and recognising the private block of an RPLS image.
#pragma once

#include <cstdint>

#include "rpls/byte_view.h"

namespace rpls {

enum class PrivateLayout { None, Layout0108, Layout0103 };

struct PrivateBlock {
    PrivateLayout layout = PrivateLayout::None;
    std::uint32_t offset = 0;  // absolute offset of the block; meaningful with a known layout
    // The block names a known layout but does not fit in the image as far as the tool reads
    // and writes it. Such a block is treated as having no known layout.
    bool outsideImage = false;
};

PrivateBlock findPrivateBlock(ConstByteView image);

// True when the image has a private block whose layout id is `layoutId` and which lies
// inside the image as far as that layout's fields reach.
bool hasLayout(ConstByteView image, std::uint16_t layoutId);

}  // namespace rpls
