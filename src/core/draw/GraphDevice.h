#pragma once

#include "draw/DrawDevice.h"
#include "vgagraph/VgaModels.h"

#include <vector>

namespace zentrik {

// The device of the graphics page: one planar picture of the GraphicsSet, with the 8-bit
// bottom-up display copy (rows padded to 4 bytes) that the page puts on screen. Every pixel
// written goes to both, so the view never has to be rebuilt from the planes while painting.
class CGraphDevice : public CDrawDevice {
public:
    explicit CGraphDevice(GraphicsSet& set, Prompter* prompter = nullptr);

    // Shows picture `index` and rebuilds the display copy (LoadGraphic); an index that is not
    // a picture, or a picture whose bytes do not cover its size, shows nothing.
    void selectPicture(int index);
    int picture() const { return m_index; }

    int width() const override { return m_valid ? m_set.table[size_t(m_index)].width : 0; }
    int height() const override { return m_valid ? m_set.table[size_t(m_index)].height : 0; }
    // The pixel buffer is part of the key: after a removal the same number shows another
    // picture, whose pixels the old history must not touch.
    ChunkKey chunkKey() const override;
    void markChanged() override { m_set.changed = true; }

    // The importer's resize: the width rounded up to a multiple of 4, new pixels `background`,
    // the top-left part kept; the display copy is renewed and the history dropped.
    bool canResize() const override { return true; }
    Status resize(int newWidth, int newHeight, uint8_t background) override;
    // The width and height fields of the page; setWidth returns the rounded width.
    Result<int> setWidth(int newWidth, uint8_t background);
    Status setHeight(int newHeight, uint8_t background);
    void afterImport() override;

    const std::vector<uint8_t>& displayCopy() const { return m_display; }
    size_t displayStride() const { return (size_t(width()) + 3) & ~size_t(3); }

protected:
    uint8_t readPixel(int x, int y) const override;
    void writePixel(int x, int y, uint8_t index) override;

private:
    void reload();
    void resized();

    GraphicsSet& m_set;
    int m_index = -1;
    bool m_valid = false;
    std::vector<uint8_t> m_display;
};

} // namespace zentrik
