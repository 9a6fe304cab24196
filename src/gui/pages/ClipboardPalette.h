#pragma once

#include "imaging/Palette.h"

#include <optional>
#include <vector>

class QImage;

namespace zentrik::gui {

// The colour table of an indexed picture (a screenshot of a 256-colour screen), or nothing
// when the picture has none.
std::optional<std::vector<Rgb>> paletteOfImage(const QImage& image);
// The palette of the picture on the clipboard: a bitmap put there as such keeps its colour
// table, so that is asked for first.
std::optional<std::vector<Rgb>> clipboardPalette();

} // namespace zentrik::gui
