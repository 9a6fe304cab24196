#pragma once

#include "vga/TextScreenPaint.h"
#include "vgagraph/ScreenOps.h"

#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>

namespace zentrik::gui {

// What painting a cell puts: the two pens' characters, the colours and the two switches.
struct ScreenPens {
    int left = 0xDB;
    int right = 0x20;
    int foreground = 15;
    int background = 1;
    bool editText = true;
    bool editColors = true;
    BackMode mode = BackMode::Blink;
    uint8_t attribute() const { return screenAttribute(foreground, background); }
    ScreenCell cell(bool right) const { return {uint8_t(right ? this->right : left), attribute()}; }
};

// A cell rectangle, both corners inside the screen and included.
struct CellRect {
    int c0 = 0, r0 = 0, c1 = 0, r1 = 0;
    int columns() const { return c1 - c0 + 1; }
    int rows() const { return r1 - r0 + 1; }
    // The same rectangle in editor pixels (8 x 16 per cell), as the screen operations take it.
    PixelRect pixels() const {
        return {c0 * kCellPixelsX, r0 * kCellPixelsY, (c1 + 1) * kCellPixelsX,
                (r1 + 1) * kCellPixelsY};
    }
};

// The text screen at 640 x 400 editor pixels. The pen paints cells, fill floods, the
// selection tool marks a rectangle of whole cells (clamped to the screen) and the pipette
// takes a cell's character and colours. A pasted block floats under the mouse until a click
// places it; Escape drops it.
class ScreenEditCtrl : public QWidget {
    Q_OBJECT
public:
    enum class Tool { Pen, Fill, Select, Pipette };

    explicit ScreenEditCtrl(ScreenPens& pens, QWidget* parent = nullptr);

    void setScreen(ScreenRecord* screen);
    ScreenRecord* screen() const { return m_screen; }
    void setTool(Tool tool);
    Tool tool() const { return m_tool; }
    const std::optional<CellRect>& selection() const { return m_selection; }
    void setSelection(std::optional<CellRect> selection);
    // A block from the clipboard floats from the top-left cell on until a click places it.
    void startFloating(const std::array<uint8_t, kScreenClipBytes>& block);
    bool floating() const { return m_floating.has_value(); }
    void dropFloating();
    // Places the floating block with its top-left cell at (column, row).
    void placeFloating(int column, int row);
    QSize sizeHint() const override;
    // In the blink mode, blinking text (attribute bit 7) is hidden every other phase, as the
    // text mode does about twice a second.
    bool blinkHidden() const { return m_blinkHidden; }
    void blinkTick();

    // Called before every change of the screen's cells (the page keeps its undo steps).
    std::function<void()> beforeEdit;

signals:
    void edited();
    void cursorMoved(int column, int row);
    void selectionChanged(int columns, int rows);
    void pensPicked();
    void floatingChanged(bool floating);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    static QPoint cellAt(QPointF pos);
    void paintAt(QPoint cell, bool right);

    ScreenPens& m_pens;
    ScreenRecord* m_screen = nullptr;
    Tool m_tool = Tool::Pen;
    std::optional<CellRect> m_selection;
    QPoint m_anchor;
    std::optional<Qt::MouseButton> m_held;
    std::optional<std::array<uint8_t, kScreenClipBytes>> m_floating;
    QPoint m_floatAt;
    QTimer m_blink;
    bool m_blinkHidden = false;
};

} // namespace zentrik::gui
