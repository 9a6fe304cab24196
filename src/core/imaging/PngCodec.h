#pragma once

#include "imaging/BmpReader.h"
#include "imaging/BmpTarget.h"
#include "imaging/Palette.h"
#include "Result.h"

#include <cstdint>
#include <span>
#include <vector>

namespace zentrik {

inline constexpr size_t kPngSignatureBytes = 8;

bool isPng(std::span<const uint8_t> file);

// A PNG as the importer sees it, in the bitmap reader's shape: a paletted PNG becomes an 8-bit
// picture with its own colour table (its indices unchanged), anything else 32-bit colour. The
// alpha channel (or the palette's transparency) is kept per pixel.
Result<BmpPicture> readPng(std::span<const uint8_t> file);

// An 8-bit paletted PNG of the picture with the palette. With `transparent255`, index 255 is
// written fully transparent (sprites); every other entry opaque.
Result<std::vector<uint8_t>> png8Bytes(const BmpTarget& picture, const GamePalette& palette,
                                       bool transparent255);

} // namespace zentrik
