#pragma once

#include "imaging/BmpTarget.h"
#include "pagefile/IndexedImage.h"

namespace zentrik {

// A wall or sprite image as the bitmap import and export see it: fixed size, no undo of its
// own (the texture and sprite pages wrap their drawing devices around the same images).
class ImageTarget : public BmpTarget {
public:
    explicit ImageTarget(IndexedImage& image, bool sprite = false)
        : m_image(image), m_sprite(sprite) {}
    int width() const override { return m_image.side; }
    int height() const override { return m_image.side; }
    uint8_t getPixel(int x, int y) const override { return m_image.at(x, y); }
    void setPixel(int x, int y, uint8_t index) override { m_image.set(x, y, index); }
    bool keepsTransparency() const override { return m_sprite; }

private:
    IndexedImage& m_image;
    bool m_sprite;
};

} // namespace zentrik
