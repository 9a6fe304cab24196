#pragma once

#include "draw/DrawDevice.h"
#include "vgagraph/VgaModels.h"

namespace zentrik {

// The device of the fonts page: one character of one font of the FontSet, its rows of width
// bytes at the character's location. A character that is absent, or whose block does not lie
// inside the font, shows no pixels.
class CFontDevice : public CDrawDevice {
public:
    CFontDevice(FontSet& set, Prompter& prompter);

    void selectCharacter(int font, int code);
    int font() const { return m_font; }
    int character() const { return m_code; }

    int width() const override;
    int height() const override;
    ChunkKey chunkKey() const override { return {&m_set, m_font, m_code}; }
    void markChanged() override { m_set.changed = true; }

    // The width of the selected character and the height of the whole font. Both move the
    // pixels of the font about, so the history of the character is dropped.
    Status SetCurWidth(int newWidth);
    Status SetHeight(int newHeight);

protected:
    uint8_t readPixel(int x, int y) const override;
    void writePixel(int x, int y, uint8_t index) override;

private:
    std::vector<uint8_t>* fontBytes();
    const std::vector<uint8_t>* fontBytes() const;
    // The offset of pixel (x, y) of the selected character.
    size_t offset(int x, int y) const;

    FontSet& m_set;
    Prompter& m_prompter;
    int m_font = -1;
    int m_code = -1;
};

} // namespace zentrik
