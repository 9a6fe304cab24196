#include "draw/TexDevice.h"

#include "app/Workspace.h"

namespace zentrik {

namespace {

bool imageFits(const std::optional<IndexedImage>& image, int side) {
    return image && image->side == side && image->pixels.size() == size_t(side) * size_t(side);
}

} // namespace

bool CTexDevice::valid() const {
    if (m_index < 0 || m_index >= m_set.count() ||
        !imageFits(m_set.images[size_t(m_index)], m_set.side))
        return false;
    return m_set.textureBytes == m_set.side * m_set.side &&
           m_set.raw.size() >= size_t(m_index + 1) * size_t(m_set.textureBytes);
}

ChunkKey CTexDevice::chunkKey() const {
    return {valid() ? static_cast<const void*>(image().pixels.data()) : &m_set, m_index};
}

void CTexDevice::markChanged() {
    if (m_workspace)
        m_workspace->historyMoved(DataSet::Walls);
}

void CTexDevice::writePixel(int x, int y, uint8_t index) {
    m_set.images[size_t(m_index)]->set(x, y, index);
    m_set.slot(m_index)[size_t(x) * size_t(m_set.side) + size_t(y)] = index;
}

void CTexDevice::afterImport() {
    CDrawDevice::afterImport();
    if (valid())
        columnsFromImage(image(), m_set.slot(m_index));
}

bool CSprDevice::valid() const {
    return m_index >= 0 && m_index < m_set.count() &&
           imageFits(m_set.images[size_t(m_index)], m_set.side);
}

ChunkKey CSprDevice::chunkKey() const {
    return {valid() ? static_cast<const void*>(image().pixels.data()) : &m_set, m_index};
}

void CSprDevice::markChanged() {
    if (m_workspace)
        m_workspace->historyMoved(DataSet::Sprites);
}

} // namespace zentrik
