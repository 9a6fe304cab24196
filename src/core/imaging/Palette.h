#pragma once

#include "Result.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zentrik {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

inline constexpr int kPaletteEntries = 256;
inline constexpr size_t kPaletteFileBytes = 768;
inline constexpr uint8_t kTransparentIndex = 255;

// The game's 256 colours, each channel in the full 0..255 range.
struct GamePalette {
    std::array<Rgb, kPaletteEntries> entries{};
    bool operator==(const GamePalette&) const = default;
};

// A ".pal" file: the 768 bytes red, green, blue per entry and nothing else.
std::vector<uint8_t> palFileBytes(const GamePalette& palette);
// Copies what the bytes hold (at most 768) into the palette, entry by entry, the way a short
// read would. Returns whether all 768 bytes were there.
bool readPalBytes(std::span<const uint8_t> bytes, GamePalette& palette);

// Imports a bitmap's colour table: 2^depth entries (blue, green, red, reserved) whatever the
// header's colour count says, into entries 0..2^depth-1; the others keep their colours. The
// palette is unchanged when an Error comes back.
Status importBmpPalette(std::span<const uint8_t> bmp, GamePalette& palette);
// Imports a ".pal" file; a short file leaves the entries it held in place and says so.
Status importPalPalette(std::span<const uint8_t> bytes, GamePalette& palette);

// The palette as source text with CR LF line ends: the Wolf4SDL "gamepal" array (inc), else
// the list of RGB(...) entries. Channels are written as value / 4.
std::string paletteSourceText(const GamePalette& palette, bool gamepalArray);

// "Change Color": adds All and the channel's own delta to each channel (to the entry's grey
// with `grey`), clamped to 0..255.
Rgb changeColor(Rgb c, int all, int dr, int dg, int db, bool grey);

// The rip from a screenshot's palette: its first 256 entries replace the palette's. Nothing on
// the clipboard: "No screenshot with palette information found in clipboard".
Status ripPalette(const std::optional<std::vector<Rgb>>& clipboard, GamePalette& palette);

} // namespace zentrik
