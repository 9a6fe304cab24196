#pragma once

#include "draw/GraphDevice.h"
#include "pages/PixelChunkPage.h"

class QCheckBox;
class QLineEdit;

namespace zentrik::gui {

class SmallGraphCtrl;
class VgaData;

// "Graphics": the pictures of the graphics archive, one at a time, in the pixel editor, with
// their width and height fields, the size the picture takes once compressed and a 1:1 view.
class CProp12Graphics : public PixelChunkPage {
    Q_OBJECT
public:
    CProp12Graphics(AppContext& context, QWidget* parent);

    // The fields' texts and the commands, also for tests.
    QLineEdit* widthField() const { return m_width; }
    QLineEdit* heightField() const { return m_height; }
    QString compressedSizeText() const;
    void updateSize();
    void applyWidth();
    void applyHeight();
    // Every picture as PICnnn.png into a folder.
    void exportAll();

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
    bool changeResolution(int) override { return false; }
    bool offersResolution() const override { return false; }
    const char* noun() const override { return "graphic"; }
    QString numberFormat() const override { return QStringLiteral("Chunk %1"); }
    QString numberLabel(int index) const override;
    void chunkEdited() override;

private:
    void buildFields();
    uint8_t background();
    void resized();

    VgaData& m_vga;
    CGraphDevice* m_graph = nullptr;
    QLineEdit* m_width = nullptr;
    QLineEdit* m_height = nullptr;
    class QLabel* m_size = nullptr;
    QCheckBox* m_auto = nullptr;
    SmallGraphCtrl* m_small = nullptr;
};

} // namespace zentrik::gui
