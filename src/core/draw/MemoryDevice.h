#pragma once

#include "draw/DrawDevice.h"

#include <vector>

namespace zentrik {

// A device over its own row-major buffer: for previews that are not part of a collection and
// for exercising the tools without a loaded game file.
class CMemoryDevice : public CDrawDevice {
public:
    CMemoryDevice(int width, int height, uint8_t fill = 0, Prompter* prompter = nullptr)
        : CDrawDevice(prompter), m_width(width), m_height(height),
          m_pixels(size_t(width) * size_t(height), fill) {}

    int width() const override { return m_width; }
    int height() const override { return m_height; }
    ChunkKey chunkKey() const override { return {this, m_chunk}; }
    void markChanged() override { m_changed = true; }
    bool canResize() const override { return true; }
    Status resize(int newWidth, int newHeight, uint8_t background) override;

    // Pretends the device now shows another chunk (as a page does when the user scrolls).
    void showChunk(int chunk) { m_chunk = chunk; }
    const std::vector<uint8_t>& pixels() const { return m_pixels; }
    std::vector<uint8_t>& pixels() { return m_pixels; }
    bool changed() const { return m_changed; }
    void setChanged(bool changed) { m_changed = changed; }

protected:
    uint8_t readPixel(int x, int y) const override { return m_pixels[size_t(y) * m_width + x]; }
    void writePixel(int x, int y, uint8_t index) override {
        m_pixels[size_t(y) * m_width + x] = index;
    }

private:
    int m_width;
    int m_height;
    int m_chunk = 0;
    bool m_changed = false;
    std::vector<uint8_t> m_pixels;
};

} // namespace zentrik
