#include "draw/PictureClipboard.h"

#include "draw/DrawDevice.h"
#include "draw/FloatingSelection.h"

#include <algorithm>

namespace zentrik {

void copySelection(const CDrawDevice& device, const FloatingSelection& selection,
                   PictureClipboard& clipboard) {
    if (selection.floating()) {
        clipboard.width = selection.width();
        clipboard.height = selection.height();
        clipboard.origin = {selection.rect().left, selection.rect().top};
        clipboard.pixels = selection.pixels();
        return;
    }
    const ChunkRect area =
        (selection.exists() ? selection.rect() : device.bounds()).intersected(device.bounds());
    if (area.empty())
        return;
    clipboard.width = area.width();
    clipboard.height = area.height();
    clipboard.origin = {area.left, area.top};
    clipboard.pixels.clear();
    clipboard.pixels.reserve(size_t(area.width()) * size_t(area.height()));
    for (int y = area.top; y <= area.bottom; ++y)
        for (int x = area.left; x <= area.right; ++x)
            clipboard.pixels.push_back(device.getPixel(x, y));
}

void cutSelection(CDrawDevice& device, FloatingSelection& selection, PictureClipboard& clipboard,
                  uint8_t fill) {
    if (!selection.floating())
        selection.lift(device, fill);
    if (!selection.floating())
        return;
    copySelection(device, selection, clipboard);
    selection.clear();
}

bool pasteSelection(CDrawDevice& device, FloatingSelection& selection,
                    const PictureClipboard& clipboard) {
    if (clipboard.empty() || !device.hasChunk())
        return false;
    selection.drop(device);
    const ChunkPoint at{std::clamp(clipboard.origin.x, 0, device.width() - 1),
                        std::clamp(clipboard.origin.y, 0, device.height() - 1)};
    selection.setFloating(at, clipboard.width, clipboard.height, clipboard.pixels, false);
    return selection.floating();
}

} // namespace zentrik
