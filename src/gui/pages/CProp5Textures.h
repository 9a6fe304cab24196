#pragma once

#include "draw/TexDevice.h"
#include "pages/PixelChunkPage.h"

namespace zentrik::gui {

// "Textures": the walls of the page file, one at a time, in the pixel editor. Every pixel goes
// into the wall's image and its column-major slot of the raw block alike.
class CProp5Textures : public PixelChunkPage {
    Q_OBJECT
public:
    CProp5Textures(AppContext& context, QWidget* parent);

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
    const char* noun() const override { return "texture"; }
    QString numberFormat() const override { return QStringLiteral("Wallnum %1"); }

private:
    CTexDevice* m_tex = nullptr;
};

} // namespace zentrik::gui
