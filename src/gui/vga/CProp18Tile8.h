#pragma once

#include "draw/PictureEditor.h"
#include "draw/Tile8Device.h"

#include <QRgb>
#include <QWidget>

#include <array>
#include <memory>
#include <string>

namespace zentrik::gui {

class AppContext;
class ChunkNumberField;
class PictureEditorPanel;
class VgaData;

// The 72 tiles in rows of 24, each pixel 2 x 2 in a 20-pixel cell; a click selects a tile.
class Tile8ListCtrl : public QWidget {
    Q_OBJECT
public:
    static constexpr int kColumns = 24;
    static constexpr int kCell = 20;

    explicit Tile8ListCtrl(const Tile8Set& set, QWidget* parent = nullptr);
    void setPalette(const std::array<QRgb, 256>& palette);
    void setSelected(int tile);
    int tileAt(QPoint p) const;
    QSize sizeHint() const override;

signals:
    void tileClicked(int tile);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    const Tile8Set& m_set;
    std::array<QRgb, 256> m_palette{};
    int m_selected = 0;
};

// "Tile 8s": the archive's 8 x 8 tiles in a list and the selected one in the pixel editor.
class CProp18Tile8 : public QWidget {
    Q_OBJECT
public:
    CProp18Tile8(AppContext& context, QWidget* parent);
    ~CProp18Tile8() override;

    int tile() const { return m_tile; }
    void selectTile(int tile);
    void exportTile();
    void importTile();
    // A PNG or BMP (chosen or dropped) into the selected tile, as one undo step.
    void importFile(const std::string& path);
    void exportAllTiles();
    Tile8ListCtrl* list() const { return m_list; }
    PictureEditorPanel* editorPanel() const { return m_panel; }
    ChunkNumberField* chunkField() const { return m_number; }

private:
    void refresh();

    VgaData& m_vga;
    std::unique_ptr<CTile8Device> m_device;
    std::unique_ptr<PictureEditor> m_editor;
    PictureEditorPanel* m_panel = nullptr;
    Tile8ListCtrl* m_list = nullptr;
    ChunkNumberField* m_number = nullptr;
    int m_tile = 0;
};

} // namespace zentrik::gui
