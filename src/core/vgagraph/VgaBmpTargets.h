#pragma once

#include "imaging/BmpTarget.h"
#include "vgagraph/VgaModels.h"

namespace zentrik {

// The graphics archive's pictures, tiles and font characters as bitmap import/export targets,
// row 0 at the top.

// Picture i of the set; an import may resize it (the width rounded up to a multiple of 4, new
// pixels in the background colour).
class PictureBmpTarget : public BmpTarget {
public:
    PictureBmpTarget(GraphicsSet& set, int index, uint8_t background = 0)
        : m_set(set), m_index(index), m_background(background) {}
    int width() const override;
    int height() const override;
    uint8_t getPixel(int x, int y) const override;
    void setPixel(int x, int y, uint8_t index) override;
    bool canResize() const override { return true; }
    bool resize(int w, int h) override;

private:
    bool valid() const { return m_index >= 0 && m_index < m_set.pictureCount(); }
    GraphicsSet& m_set;
    int m_index;
    uint8_t m_background;
};

class Tile8BmpTarget : public BmpTarget {
public:
    Tile8BmpTarget(Tile8Set& set, int tile) : m_set(set), m_tile(tile) {}
    int width() const override;
    int height() const override { return width(); }
    uint8_t getPixel(int x, int y) const override;
    void setPixel(int x, int y, uint8_t index) override;

private:
    Tile8Set& m_set;
    int m_tile;
};

// One character of an expanded font chunk: its width by the font's height.
class FontCharBmpTarget : public BmpTarget {
public:
    FontCharBmpTarget(std::vector<uint8_t>& font, int code) : m_font(font), m_code(code) {}
    int width() const override;
    int height() const override;
    uint8_t getPixel(int x, int y) const override;
    void setPixel(int x, int y, uint8_t index) override;

private:
    size_t at(int x, int y) const; // the byte, or SIZE_MAX outside the chunk
    std::vector<uint8_t>& m_font;
    int m_code;
};

// A whole font as one sheet for export: 16 x 16 cells in code order (code 65 in row 4,
// column 1), each as wide as the font's widest character and as high as the font, every
// character at its cell's left edge on colour 0. Export only: setPixel changes nothing.
class FontSheetBmpTarget : public BmpTarget {
public:
    static constexpr int kColumns = 16;

    explicit FontSheetBmpTarget(const std::vector<uint8_t>& font);
    int width() const override { return m_cellWidth * kColumns; }
    int height() const override { return m_cellHeight * kColumns; }
    uint8_t getPixel(int x, int y) const override;
    void setPixel(int, int, uint8_t) override {}

private:
    const std::vector<uint8_t>& m_font;
    int m_cellWidth = 0;
    int m_cellHeight = 0;
};

} // namespace zentrik
