#pragma once

#include "imaging/Palette.h"

#include <cstdint>
#include <span>
#include <vector>

namespace zentrik {

// A palettised 8-bit PNG of width x height indices (top row first) with the palette's 256
// colours. The image data is stored uncompressed (deflate "stored" blocks): every PNG reader
// takes it, and the core needs no compression library for a preview picture.
std::vector<uint8_t> png8Bytes(std::span<const uint8_t> pixels, int width, int height,
                               const GamePalette& palette);

} // namespace zentrik
