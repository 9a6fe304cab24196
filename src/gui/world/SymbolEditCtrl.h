#pragma once

#include "world/SymbolStrip.h"

#include <QWidget>

namespace zentrik::gui {

// One 7 x 7 symbol at eight times its size. In the painting mode a click or drag paints the
// current colour into the pixel under the mouse; in the picking mode a click takes that
// pixel's colour as the current colour.
class SymbolEditCtrl : public QWidget {
    Q_OBJECT
public:
    static constexpr int kZoom = 8;
    static constexpr int kSide = kSymbolSize * kZoom; // 56

    enum class Mode { Paint, Pick };
    explicit SymbolEditCtrl(Mode mode, QWidget* parent = nullptr);

    void setSymbol(const Symbol& symbol);
    const Symbol& symbol() const { return m_symbol; }
    void setColor(uint16_t color) { m_color = color; }
    uint16_t color() const { return m_color; }
    // The symbol pixel (x, y) under a point of the 56 x 56 view, clamped to the view.
    static QPoint cellAt(QPoint p);

signals:
    void edited();
    void colorPicked(uint16_t color);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void apply(QPoint p);
    Mode m_mode;
    Symbol m_symbol{};
    uint16_t m_color = 0x7FFF;
};

} // namespace zentrik::gui
