#pragma once

#include "imaging/Palette.h"
#include "pagefile/IndexedImage.h"

#include <QImage>

namespace zentrik::gui {

// A page-file picture in the palette's colours, top row first, shrunk or grown to `side`;
// transparent pixels come out black.
QImage chooserImage(const IndexedImage& image, const GamePalette& palette, int side);

} // namespace zentrik::gui
