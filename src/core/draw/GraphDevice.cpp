#include "draw/GraphDevice.h"

#include "vgagraph/PictureOps.h"

namespace zentrik {

CGraphDevice::CGraphDevice(GraphicsSet& set, Prompter* prompter)
    : CDrawDevice(prompter), m_set(set) {}

void CGraphDevice::selectPicture(int index) {
    m_index = index;
    reload();
}

void CGraphDevice::reload() {
    m_valid = false;
    m_display.clear();
    if (m_index < 0 || m_index >= m_set.pictureCount() || size_t(m_index) >= m_set.table.size())
        return;
    const PictureSize size = m_set.table[size_t(m_index)];
    if (size.width <= 0 || size.height <= 0 ||
        m_set.pictures[size_t(m_index)].size() < size_t(size.width) * size_t(size.height))
        return;
    m_valid = true;
    m_display = pictureDisplayCopy(m_set.pictures[size_t(m_index)], size);
}

ChunkKey CGraphDevice::chunkKey() const {
    if (!m_valid)
        return {&m_set, m_index};
    return {m_set.pictures[size_t(m_index)].data(), m_index};
}

uint8_t CGraphDevice::readPixel(int x, int y) const {
    return m_set.pictures[size_t(m_index)][planarIndex(x, y, width(), height())];
}

void CGraphDevice::writePixel(int x, int y, uint8_t index) {
    m_set.pictures[size_t(m_index)][planarIndex(x, y, width(), height())] = index;
    m_display[size_t(height() - 1 - y) * displayStride() + size_t(x)] = index;
}

Status CGraphDevice::resize(int newWidth, int newHeight, uint8_t background) {
    if (!m_valid)
        return Error{"There is no picture to resize!", "CGraphDevice::Resize()"};
    // Check both sides first, so that a refused height leaves the width untouched too.
    const int rounded = (newWidth + 3) / 4 * 4;
    if (newWidth < kMinPictureSide || rounded > kMaxPictureSide || newHeight < kMinPictureSide ||
        newHeight > kMaxPictureSide)
        return Error{"Only values between 1 and 1023 allowed!", "Illegal picture size!"};
    if (auto w = setWidth(newWidth, background); !w)
        return w.error();
    return setHeight(newHeight, background);
}

Result<int> CGraphDevice::setWidth(int newWidth, uint8_t background) {
    auto rounded = SetPictureWidth(m_set, m_index, newWidth, background);
    if (rounded)
        resized();
    return rounded;
}

Status CGraphDevice::setHeight(int newHeight, uint8_t background) {
    Status st = SetPictureHeight(m_set, m_index, newHeight, background);
    if (st)
        resized();
    return st;
}

void CGraphDevice::afterImport() {
    reload();
}

void CGraphDevice::resized() {
    // The recorded positions belong to the old size; the other pictures keep their histories.
    const int index = m_index;
    undoRing().rekey([index](const ChunkKey& k) -> std::optional<ChunkKey> {
        if (k.index == index)
            return std::nullopt;
        return k;
    });
    undoRing().noteUnrecordedEdit();
    reload();
}

} // namespace zentrik
