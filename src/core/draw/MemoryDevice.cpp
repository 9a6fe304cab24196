#include "draw/MemoryDevice.h"

#include <algorithm>

namespace zentrik {

Status CMemoryDevice::resize(int newWidth, int newHeight, uint8_t background) {
    if (newWidth < 0 || newHeight < 0)
        return Error{"Illegal size!"};
    std::vector<uint8_t> next(size_t(newWidth) * size_t(newHeight), background);
    for (int y = 0; y < std::min(m_height, newHeight); ++y)
        for (int x = 0; x < std::min(m_width, newWidth); ++x)
            next[size_t(y) * newWidth + x] = m_pixels[size_t(y) * m_width + x];
    m_pixels = std::move(next);
    m_width = newWidth;
    m_height = newHeight;
    undoRing().clear();
    markChanged();
    return {};
}

} // namespace zentrik
