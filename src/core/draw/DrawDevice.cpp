#include "draw/DrawDevice.h"

namespace zentrik {

void CDrawDevice::setPixel(int x, int y, uint8_t index) {
    if (!contains({x, y}))
        return;
    if (m_undo.recording())
        m_undo.recordPixel(x, y, readPixel(x, y));
    writePixel(x, y, index);
    markChanged();
}

Status CDrawDevice::resize(int, int, uint8_t) {
    return Error{"This picture cannot be resized."};
}

bool CDrawDevice::undo() {
    const bool restored = m_undo.undo(
        chunkKey(),
        [this](int x, int y, uint8_t old) {
            if (contains({x, y}))
                writePixel(x, y, old);
        },
        [this](int x, int y) { return getPixel(x, y); });
    if (restored)
        markChanged();
    return restored;
}

bool CDrawDevice::redo() {
    const bool applied = m_undo.redo(chunkKey(), [this](int x, int y, uint8_t index) {
        if (contains({x, y}))
            setPixel(x, y, index);
    });
    if (applied)
        markChanged();
    return applied;
}

void CDrawDevice::setPrompter(Prompter* prompter) {
    m_prompter = prompter;
    m_undo.setPrompter(prompter);
}

} // namespace zentrik
