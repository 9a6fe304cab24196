#pragma once

#include <cstdint>

namespace zentrik {

// What the bitmap import and export need of a picture editor's drawing device: the current
// chunk's size and pixels (row 0 at the top), resizing where the chunk allows it, and the undo
// record that makes an import one undoable step. The drawing devices implement it; so do the
// command-line tool's plain images.
class BmpTarget {
public:
    virtual ~BmpTarget() = default;
    virtual int width() const = 0; // 0 when there is no chunk
    virtual int height() const = 0;
    virtual uint8_t getPixel(int x, int y) const = 0;
    virtual void setPixel(int x, int y, uint8_t index) = 0;
    virtual bool canResize() const { return false; }
    // Sprites: a picture's transparent pixels (alpha below 128) become TransparentIndex.
    virtual bool keepsTransparency() const { return false; }
    virtual bool resize(int, int) { return false; }
    // Called once after a successful import (views refresh).
    virtual void afterImport() {}
    // Around the change: the device records the chunk before it and closes the record over
    // the changed rectangle after it.
    virtual void startUndoRecord() {}
    virtual void closeUndoRecord(int /*x*/, int /*y*/, int /*w*/, int /*h*/) {}
};

} // namespace zentrik
