#pragma once

#include "vgagraph/VgaModels.h"

#include <optional>
#include <string>

namespace zentrik {

// The game draws a picture straight into its 320 x 200 screen, row by row of each plane: a
// wider or taller picture runs past the screen's memory. (The table could describe up to
// 32767 x 32767.)
inline constexpr int kEnginePictureWidth = 320;
inline constexpr int kEnginePictureHeight = 200;

// The warning to show before a save when a picture is larger than the game can show: the
// first such picture, its chunk and the limit. Nothing when every picture fits.
std::optional<std::string> pictureBeyondEngine(const GraphicsSet& set);

} // namespace zentrik
