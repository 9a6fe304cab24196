#pragma once

#include "draw/PictureEditor.h"

#include <QAbstractScrollArea>
#include <QRgb>

#include <array>

namespace zentrik::gui {

// The edit control of every picture page: shows the editor's chunk through the palette at the
// view's magnification (scroll bars when it does not fit), the floating selection and the
// rubber bands of the line, rectangle and selection tools, and hands mouse events to the
// editor in chunk coordinates. Keys: Escape ends the tool's action, Delete discards the
// floating block, Ctrl+C/X/V copy, cut and paste (undo and redo are the page's shortcuts, see
// PictureEditorPanel). A double click paints like two clicks. The view grows with the
// window; Ctrl+wheel zooms from 1x to 16x about the pointer, fitToView() (Ctrl+0 on the page) shows
// the whole chunk, and the pixel grid can be shown from 4x. With transparency on, index 255 shows
// as a checkerboard.
class PictureEditView : public QAbstractScrollArea {
    Q_OBJECT
public:
    using Palette = std::array<QRgb, 256>;

    explicit PictureEditView(QWidget* parent = nullptr);

    // The editor may change (another page's device); null shows nothing.
    void setEditor(PictureEditor* editor);
    PictureEditor* editor() const { return m_editor; }
    void setPalette(const Palette& palette);
    void setTransparency(bool on);
    bool transparency() const { return m_transparency; }
    // After the device shows another chunk or other pixels: sizes and scroll bars follow.
    void chunkChanged();
    // The screen position of a chunk pixel's top-left corner (for tests and the grid).
    QPoint toScreen(ChunkPoint p) const;

    // The commands of the picture toolbar; each repaints and reports.
    void undo();
    void redo();
    void copy();
    void cut();
    void paste();
    void deleteSelection();
    void cancelTool();
    bool zoom(bool in, ChunkPoint centre);
    void fitToView();
    void setGrid(bool on);
    bool grid() const { return m_grid; }

    QSize sizeHint() const override;

signals:
    // Pixels of the chunk changed (an edit or an undo).
    void edited();
    // A pen colour changed (the pipette).
    void coloursChanged();
    // The clipboard was filled (Paste buttons of every page become enabled).
    void copied();
    // The pixel under the mouse, or x = -1 when the mouse left the chunk.
    void cursorMoved(int x, int y, int index);
    void zoomChanged(int magnification);
    // After every command or mouse action (the undo history may have changed).
    void acted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    ChunkPoint chunkAt(QPointF pos) const;
    // What an action may change, taken before it: afterwards the differences are reported.
    struct Snapshot {
        uint64_t hash;
        uint64_t step; // the chunk's newest undo step: a stroke that changed no pixel is one too
        uint8_t left, right;
        int zoom;
    };
    Snapshot snapshot() const;
    void afterAction(const Snapshot& before);
    template <class Action> void act(Action&& action) {
        if (!m_editor)
            return;
        const Snapshot before = snapshot();
        action();
        afterAction(before);
    }
    void updateScrollBars();
    QImage chunkImage() const;
    void paintOverlay(class QPainter& p) const;
    QRect screenRect(const ChunkRect& r) const;

    PictureEditor* m_editor = nullptr;
    Palette m_palette{};
    bool m_transparency = false;
    bool m_syncingScroll = false;
    bool m_grid = true;
};

} // namespace zentrik::gui
