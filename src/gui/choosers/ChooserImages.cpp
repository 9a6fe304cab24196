#include "choosers/ChooserImages.h"

namespace zentrik::gui {

QImage chooserImage(const IndexedImage& image, const GamePalette& palette, int side) {
    if (image.side <= 0 || image.pixels.size() != size_t(image.side) * size_t(image.side))
        return {};
    QImage out(side, side, QImage::Format_RGB32);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            // Nearest pixel: a 128-pixel wall keeps every second pixel in a 64-pixel cell.
            const uint8_t i = image.at(x * image.side / side, y * image.side / side);
            const Rgb c = i == kTransparentIndex ? Rgb{} : palette.entries[i];
            out.setPixel(x, y, qRgb(c.r, c.g, c.b));
        }
    return out;
}

} // namespace zentrik::gui
