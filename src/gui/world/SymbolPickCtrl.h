#pragma once

#include <QImage>
#include <QWidget>

namespace zentrik::gui {

// The whole symbol strip; a click picks the 7 x 7 cell under the mouse. Cells 0..511 are
// plane-0 values, the rest object values. The strip is shown in rows of `columns` symbols:
// 64 as the strip is stored, fewer for a tall picker.
class SymbolPickCtrl : public QWidget {
    Q_OBJECT
public:
    explicit SymbolPickCtrl(QWidget* parent = nullptr) : SymbolPickCtrl(kWideColumns, parent) {}

    void setStrip(const QImage& strip);
    // Shown this many screen pixels per strip pixel (a whole number, so nothing blurs).
    void setZoom(int zoom);
    int zoom() const { return m_zoom; }
    int columns() const { return m_columns; }
    // The strip cell (column + 64 x row of the stored strip) under a point of the widget.
    int cellAt(QPoint p) const;
    // The picture as shown, before the zoom.
    const QImage& shown() const { return m_shown; }

signals:
    void cellPicked(int index, bool leftButton);

protected:
    static constexpr int kWideColumns = 64;
    SymbolPickCtrl(int columns, QWidget* parent);
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int rows() const;

    QImage m_shown;
    int m_columns;
    int m_zoom = 2;
};

// The tall picker of the "SymbolBox" window: 16 symbols a row, so the strip's 1024 cells
// stand in 64 rows, in the same order.
class SymbolPickVertCtrl : public SymbolPickCtrl {
    Q_OBJECT
public:
    static constexpr int kTallColumns = 16;
    explicit SymbolPickVertCtrl(QWidget* parent = nullptr);
};

} // namespace zentrik::gui
