#pragma once

#include "draw/DrawDevice.h"
#include "imaging/BmpTarget.h"
#include "platform/Prompter.h"

namespace zentrik {

// A drawing device as the picture import and export see it: every pixel goes through the
// device's setPixel inside one rectangle record, so an import is one undo step.
class DeviceBmpTarget : public BmpTarget {
public:
    DeviceBmpTarget(CDrawDevice& device, bool sprite) : m_device(device), m_sprite(sprite) {}

    int width() const override { return m_device.width(); }
    int height() const override { return m_device.height(); }
    uint8_t getPixel(int x, int y) const override { return m_device.getPixel(x, y); }
    void setPixel(int x, int y, uint8_t index) override { m_device.setPixel(x, y, index); }
    bool canResize() const override { return m_device.canResize(); }
    // A refused size is said, so an import never fails without a word.
    bool resize(int w, int h) override {
        Status st = m_device.resize(w, h, 0);
        if (!st && m_device.prompter())
            m_device.prompter()->message(st.error().text, st.error().caption,
                                         MessageIcon::Exclamation);
        return bool(st);
    }
    bool keepsTransparency() const override { return m_sprite; }
    void afterImport() override { m_device.afterImport(); }
    void startUndoRecord() override { m_device.startUndoRecord(UndoKind::Rectangle); }
    void closeUndoRecord(int x, int y, int w, int h) override {
        m_device.closeUndoRecord(ChunkRect{x, y, x + w - 1, y + h - 1});
    }

private:
    CDrawDevice& m_device;
    bool m_sprite;
};

} // namespace zentrik
