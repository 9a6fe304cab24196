#include "draw/FontDevice.h"

#include "vgagraph/FontOps.h"

namespace zentrik {

CFontDevice::CFontDevice(FontSet& set, Prompter& prompter)
    : CDrawDevice(&prompter), m_set(set), m_prompter(prompter) {}

void CFontDevice::selectCharacter(int font, int code) {
    m_font = font;
    m_code = code;
}

const std::vector<uint8_t>* CFontDevice::fontBytes() const {
    if (m_font < 0 || size_t(m_font) >= m_set.fonts.size())
        return nullptr;
    return &m_set.fonts[size_t(m_font)];
}

std::vector<uint8_t>* CFontDevice::fontBytes() {
    return const_cast<std::vector<uint8_t>*>(std::as_const(*this).fontBytes());
}

int CFontDevice::width() const {
    const auto* font = fontBytes();
    if (!font || !fontCharPresent(*font, m_code))
        return 0;
    const size_t w = size_t(fontCharWidth(*font, m_code)), h = size_t(fontHeight(*font));
    const size_t at = size_t(fontCharLocation(*font, m_code));
    // A block reaching past the font's end would be read and written out of bounds.
    return at + w * h <= font->size() ? int(w) : 0;
}

int CFontDevice::height() const {
    return width() > 0 ? fontHeight(*fontBytes()) : 0;
}

size_t CFontDevice::offset(int x, int y) const {
    const auto& font = *fontBytes();
    return size_t(fontCharLocation(font, m_code)) + size_t(y) * size_t(width()) + size_t(x);
}

uint8_t CFontDevice::readPixel(int x, int y) const {
    return (*fontBytes())[offset(x, y)];
}

void CFontDevice::writePixel(int x, int y, uint8_t index) {
    (*fontBytes())[offset(x, y)] = index;
}

Status CFontDevice::SetCurWidth(int newWidth) {
    auto* font = fontBytes();
    if (!font)
        return Error{"newactfonts>=NumFonts !"};
    Status st = zentrik::SetCurWidth(*font, m_code, newWidth, m_prompter);
    if (st) {
        undoRing().clear();
        undoRing().noteUnrecordedEdit();
        markChanged();
    }
    return st;
}

Status CFontDevice::SetHeight(int newHeight) {
    auto* font = fontBytes();
    if (!font)
        return Error{"newactfonts>=NumFonts !"};
    Status st = zentrik::SetHeight(*font, newHeight);
    if (st) {
        undoRing().clear();
        undoRing().noteUnrecordedEdit();
        markChanged();
    }
    return st;
}

} // namespace zentrik
