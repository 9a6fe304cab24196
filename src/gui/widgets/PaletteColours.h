#pragma once

#include "imaging/Palette.h"

#include <QColor>

#include <array>

namespace zentrik::gui {

// The game palette as the colours Qt draws with, entry for entry.
inline std::array<QRgb, kPaletteEntries> paletteColours(const GamePalette& palette) {
    std::array<QRgb, kPaletteEntries> colours{};
    for (size_t i = 0; i < colours.size(); ++i) {
        const Rgb& c = palette.entries[i];
        colours[i] = qRgb(c.r, c.g, c.b);
    }
    return colours;
}

} // namespace zentrik::gui
