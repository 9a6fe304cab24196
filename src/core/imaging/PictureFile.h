#pragma once

#include "imaging/BmpReader.h"
#include "imaging/BmpTarget.h"
#include "imaging/Palette.h"
#include "platform/Prompter.h"
#include "Result.h"

#include <filesystem>
#include <span>

namespace zentrik {

// The picture files the pixel pages exchange: Windows bitmaps and PNG. Reading goes by the
// file's content, writing by the name's suffix (".png", case ignored, else a bitmap).
inline constexpr const char* kPictureFilter =
    "Pictures (*.BMP;*.PNG)|*.BMP;*.PNG|Bitmap|*.BMP|PNG picture|*.PNG|All files|*.*||";

bool isPngPath(const std::filesystem::path& path);

Result<BmpPicture> readPicture(std::span<const uint8_t> file);

// Writes the chunk as an 8-bit picture with the palette. A sprite's index 255 becomes the
// transparent colour of a PNG. A file that cannot be created shows its path with the caption
// "CDrawDevice::ExportBMP: Cannot open file:".
bool ExportPicture(const BmpTarget& picture, const std::filesystem::path& path,
                   const GamePalette& palette, Prompter& prompter, bool sprite = false);

} // namespace zentrik
