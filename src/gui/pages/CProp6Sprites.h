#pragma once

#include "draw/TexDevice.h"
#include "pages/PixelChunkPage.h"

class QCheckBox;

namespace zentrik::gui {

class SpriteTestWnd;

// "Sprites": the sprites of the page file in the pixel editor (index 255 shows as a
// checkerboard), with the encoded size of the current sprite and the test window that shows
// the sprite encoded and decoded again.
class CProp6Sprites : public PixelChunkPage {
    Q_OBJECT
public:
    CProp6Sprites(AppContext& context, QWidget* parent);

    QString compressedSizeText() const;
    void updateSize();
    void setAutoUpdate(bool on);
    void showTestWindow();
    SpriteTestWnd* testWindow() const { return m_test; }

protected:
    int count() const override;
    bool loaded() const override;
    void setLoaded(bool on) override;
    int side() const override;
    void selectOnDevice(int index) override;
    int insertAt(int current) override;
    int removeAt(int current) override;
    std::optional<ChunkCopy> copyChunk(int index) const override;
    void putChunkBack(int index, ChunkCopy copy) override;
    bool changeResolution(int change) override;
    const char* noun() const override { return "sprite"; }
    QString numberFormat() const override { return QStringLiteral("Spritenum %1"); }
    void chunkEdited() override;

private:
    const IndexedImage* currentImage() const;

    CSprDevice* m_spr = nullptr;
    QLabel* m_size = nullptr;
    QCheckBox* m_auto = nullptr;
    SpriteTestWnd* m_test = nullptr;
};

} // namespace zentrik::gui
