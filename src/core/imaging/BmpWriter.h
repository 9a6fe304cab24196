#pragma once

#include "imaging/BmpTarget.h"
#include "imaging/Palette.h"
#include "platform/Prompter.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace zentrik {

// 8-bit bitmaps: 14 + 40 header bytes, 256 palette entries (blue, green, red, 0), then the
// rows bottom row first, each padded with zeros to a multiple of four bytes.
inline constexpr size_t kBmp8HeaderBytes = 1078;

std::vector<uint8_t> bmp8Bytes(const BmpTarget& picture, const GamePalette& palette);

// Writes the device's current chunk; a file that cannot be created shows its path with the
// caption "CDrawDevice::ExportBMP: Cannot open file:". Returns whether the file was written.
bool ExportBMP(const BmpTarget& picture, const std::filesystem::path& path,
               const GamePalette& palette, Prompter& prompter);

} // namespace zentrik
