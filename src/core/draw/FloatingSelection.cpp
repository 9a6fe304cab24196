#include "draw/FloatingSelection.h"

#include "draw/DrawDevice.h"

namespace zentrik {

void FloatingSelection::mark(const ChunkRect& rect) {
    m_left = rect.left;
    m_top = rect.top;
    m_right = rect.right;
    m_bottom = rect.bottom;
    m_floating = false;
    m_lifted = false;
    m_pixels.clear();
}

void FloatingSelection::setFloating(ChunkPoint topLeft, int width, int height,
                                    std::vector<uint8_t> pixels, bool lifted) {
    if (width <= 0 || height <= 0 || pixels.size() != size_t(width) * size_t(height)) {
        clear();
        return;
    }
    mark({topLeft.x, topLeft.y, topLeft.x + width - 1, topLeft.y + height - 1});
    m_floating = true;
    m_lifted = lifted;
    m_pixels = std::move(pixels);
}

void FloatingSelection::moveBy(int dx, int dy) {
    if (!exists())
        return;
    m_left += dx;
    m_right += dx;
    m_top += dy;
    m_bottom += dy;
}

void FloatingSelection::clear() {
    m_left = m_top = m_right = m_bottom = kNoSelection;
    m_floating = m_lifted = false;
    m_pixels.clear();
}

void FloatingSelection::lift(CDrawDevice& device, uint8_t fill) {
    const ChunkRect area =
        (exists() && !m_floating ? rect() : device.bounds()).intersected(device.bounds());
    if (floating() || area.empty())
        return;
    const size_t count = size_t(area.width()) * size_t(area.height());
    std::vector<uint8_t> pixels;
    pixels.reserve(count);
    device.startUndoRecord(UndoKind::Rectangle);
    for (int y = area.top; y <= area.bottom; ++y)
        for (int x = area.left; x <= area.right; ++x) {
            pixels.push_back(device.getPixel(x, y));
            device.setPixel(x, y, fill);
        }
    device.closeUndoRecord(area);
    setFloating({area.left, area.top}, area.width(), area.height(), std::move(pixels), true);
    m_liftSerial = device.undoRing().newestSerial(device.chunkKey());
}

bool FloatingSelection::drop(CDrawDevice& device) {
    if (!floating()) {
        clear();
        return false;
    }
    const ChunkRect overlap = rect().intersected(device.bounds());
    bool wrote = false;
    if (!overlap.empty()) {
        // Join the lift only while it is still the newest step; a lift already undone
        // must not pull an unrelated older step into the same undo.
        const UndoRing& ring = device.undoRing();
        const bool joined =
            m_lifted && m_liftSerial != 0 && ring.newestSerial(device.chunkKey()) == m_liftSerial;
        device.startUndoRecord(joined ? UndoKind::JoinedRectangle : UndoKind::Rectangle);
        for (int y = overlap.top; y <= overlap.bottom; ++y)
            for (int x = overlap.left; x <= overlap.right; ++x)
                device.setPixel(x, y, pixelAt({x, y}));
        device.closeUndoRecord(overlap);
        wrote = true;
    }
    clear();
    return wrote;
}

bool FloatingSelection::discardIfOutside(const CDrawDevice& device) {
    if (!floating() || !rect().intersected(device.bounds()).empty())
        return false;
    clear();
    return true;
}

} // namespace zentrik
