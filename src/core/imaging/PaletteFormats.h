#pragma once

#include "imaging/Palette.h"
#include "Result.h"

#include <cstdint>
#include <span>

namespace zentrik {

// The palette page's import dialog: every format the import reads.
inline constexpr const char* kPaletteFormatsFilter =
    "Palettes (*.BMP;*.PAL;*.PNG;*.GPL)|*.BMP;*.PAL;*.PNG;*.GPL|Bitmaps (*.BMP)|*.BMP|"
    "Zentrik or JASC palette (*.PAL)|*.PAL|PNG picture (*.PNG)|*.PNG|GIMP palette (*.GPL)|*.GPL||";

// Palettes kept by other painting programs, read into the game palette's entries (the entries
// a file does not list keep their colours):
// - JASC-PAL text: "JASC-PAL", a version line, the count, then one "R G B" line per entry;
// - GIMP palette text: "GIMP Palette", optional "Name:"/"Columns:" lines and "#" comments,
//   then "R G B [name]" lines;
// - the PLTE colour table of an indexed PNG.
Status importJascPalette(std::span<const uint8_t> text, GamePalette& palette);
Status importGimpPalette(std::span<const uint8_t> text, GamePalette& palette);
Status importPngPalette(std::span<const uint8_t> png, GamePalette& palette);

// By content: PNG, JASC, GIMP, else the program's own .pal and then a bitmap's colour table.
Status importAnyPalette(std::span<const uint8_t> bytes, GamePalette& palette);

} // namespace zentrik
