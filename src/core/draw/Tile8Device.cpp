#include "draw/Tile8Device.h"

#include "vgagraph/ScreenOps.h"

namespace zentrik {

bool CTile8Device::valid() const {
    return m_tile >= 0 && m_tile < kTile8Count &&
           tile8Index(m_tile, kSide - 1, kSide - 1) < m_set.tiles.size();
}

uint8_t CTile8Device::readPixel(int x, int y) const {
    return m_set.tiles[tile8Index(m_tile, x, y)];
}

void CTile8Device::writePixel(int x, int y, uint8_t index) {
    m_set.tiles[tile8Index(m_tile, x, y)] = index;
}

} // namespace zentrik
