#include "vgagraph/VgaBmpTargets.h"

#include "vgagraph/FontOps.h"
#include "vgagraph/PictureOps.h"
#include "vgagraph/ScreenOps.h"

#include <algorithm>
#include <limits>

namespace zentrik {

namespace {
constexpr int kTileSide = 8;
constexpr size_t kNowhere = std::numeric_limits<size_t>::max();
} // namespace

int PictureBmpTarget::width() const {
    return valid() ? m_set.table[size_t(m_index)].width : 0;
}
int PictureBmpTarget::height() const {
    return valid() ? m_set.table[size_t(m_index)].height : 0;
}

uint8_t PictureBmpTarget::getPixel(int x, int y) const {
    if (!valid() || x < 0 || y < 0 || x >= width() || y >= height())
        return 0;
    const size_t at = planarIndex(x, y, width(), height());
    const auto& pic = m_set.pictures[size_t(m_index)];
    return at < pic.size() ? pic[at] : 0;
}

void PictureBmpTarget::setPixel(int x, int y, uint8_t index) {
    if (!valid() || x < 0 || y < 0 || x >= width() || y >= height())
        return;
    const size_t at = planarIndex(x, y, width(), height());
    auto& pic = m_set.pictures[size_t(m_index)];
    if (at < pic.size()) {
        pic[at] = index;
        m_set.changed = true;
    }
}

bool PictureBmpTarget::resize(int w, int h) {
    return SetPictureWidth(m_set, m_index, w, m_background).ok() &&
           SetPictureHeight(m_set, m_index, h, m_background).ok();
}

int Tile8BmpTarget::width() const {
    return m_tile >= 0 && m_tile < kTile8Count && m_set.tiles.size() >= kTile8ChunkBytes ? kTileSide
                                                                                         : 0;
}
uint8_t Tile8BmpTarget::getPixel(int x, int y) const {
    const int v = getTile8Pixel(m_set, m_tile, x, y);
    return v < 0 ? 0 : uint8_t(v);
}
void Tile8BmpTarget::setPixel(int x, int y, uint8_t index) {
    setTile8Pixel(m_set, m_tile, x, y, index);
}

int FontCharBmpTarget::width() const {
    return fontCharWidth(m_font, m_code);
}
int FontCharBmpTarget::height() const {
    return fontCharPresent(m_font, m_code) ? fontHeight(m_font) : 0;
}

size_t FontCharBmpTarget::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return kNowhere;
    const size_t pos =
        size_t(fontCharLocation(m_font, m_code)) + size_t(y) * size_t(width()) + size_t(x);
    return pos < m_font.size() ? pos : kNowhere;
}
uint8_t FontCharBmpTarget::getPixel(int x, int y) const {
    const size_t pos = at(x, y);
    return pos == kNowhere ? 0 : m_font[pos];
}
void FontCharBmpTarget::setPixel(int x, int y, uint8_t index) {
    if (const size_t pos = at(x, y); pos != kNowhere)
        m_font[pos] = index;
}

FontSheetBmpTarget::FontSheetBmpTarget(const std::vector<uint8_t>& font) : m_font(font) {
    for (int code = 0; code < kColumns * kColumns; ++code)
        if (fontCharPresent(font, code))
            m_cellWidth = std::max(m_cellWidth, fontCharWidth(font, code));
    m_cellHeight = m_cellWidth > 0 ? std::max(0, fontHeight(font)) : 0;
    if (m_cellHeight == 0)
        m_cellWidth = 0; // nothing to draw: no sheet
}

uint8_t FontSheetBmpTarget::getPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return 0;
    const int code = (y / m_cellHeight) * kColumns + x / m_cellWidth;
    const int cx = x % m_cellWidth, cy = y % m_cellHeight;
    if (!fontCharPresent(m_font, code) || cx >= fontCharWidth(m_font, code))
        return 0;
    const size_t at = size_t(fontCharLocation(m_font, code)) +
                      size_t(cy) * size_t(fontCharWidth(m_font, code)) + size_t(cx);
    return at < m_font.size() ? m_font[at] : 0;
}

} // namespace zentrik
