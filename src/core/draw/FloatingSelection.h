#pragma once

#include "draw/DrawTypes.h"

#include <cstdint>
#include <vector>

namespace zentrik {

class CDrawDevice;

// The selection of a picture editor. It is either only a marked rectangle of the chunk, or a
// floating block of pixels of its own above the chunk (lifted out of the chunk or pasted),
// which may be moved anywhere, even partly or wholly off the chunk, until it is dropped.
class FloatingSelection {
public:
    // The coordinate that stands for "no selection".
    static constexpr int kNoSelection = 32768;

    bool exists() const { return m_left != kNoSelection; }
    bool floating() const { return exists() && m_floating; }
    bool lifted() const { return floating() && m_lifted; }
    ChunkRect rect() const { return {m_left, m_top, m_right, m_bottom}; }
    int width() const { return exists() ? m_right - m_left + 1 : 0; }
    int height() const { return exists() ? m_bottom - m_top + 1 : 0; }
    const std::vector<uint8_t>& pixels() const { return m_pixels; }
    // A floating pixel at chunk position p (p must lie in rect()).
    uint8_t pixelAt(ChunkPoint p) const {
        return m_pixels[size_t(p.y - m_top) * size_t(width()) + size_t(p.x - m_left)];
    }

    void mark(const ChunkRect& rect);
    void setFloating(ChunkPoint topLeft, int width, int height, std::vector<uint8_t> pixels,
                     bool lifted);
    void moveBy(int dx, int dy);
    // Forgets the selection without writing anything (Delete, and a block moved off the chunk).
    void clear();

    // Lifts the marked rectangle (the whole chunk when nothing is marked) out of the chunk:
    // its pixels float, the hole takes `fill`, and one rectangle record holds the old pixels.
    void lift(CDrawDevice& device, uint8_t fill);
    // Writes a floating block into the chunk where they overlap, as one rectangle record
    // joined to the lift when the block came out of this chunk; then the selection is gone.
    // Returns whether any pixel was written.
    bool drop(CDrawDevice& device);
    // A floating block that no longer touches the chunk is of no use; this discards it.
    bool discardIfOutside(const CDrawDevice& device);

private:
    int m_left = kNoSelection;
    int m_top = kNoSelection;
    int m_right = kNoSelection;
    int m_bottom = kNoSelection;
    bool m_floating = false;
    bool m_lifted = false;
    uint64_t m_liftSerial = 0; // the serial of the lift's undo record
    std::vector<uint8_t> m_pixels;
};

} // namespace zentrik
