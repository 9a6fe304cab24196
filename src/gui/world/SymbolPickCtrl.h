#pragma once

#include <QImage>
#include <QWidget>

namespace zentrik::gui {

// The whole symbol strip; a click picks the 7 x 7 cell under the mouse. Cells 0..511 are
// plane-0 values, the rest object values.
class SymbolPickCtrl : public QWidget {
    Q_OBJECT
public:
    explicit SymbolPickCtrl(QWidget* parent = nullptr);

    void setStrip(const QImage& strip);
    // Shown this many screen pixels per strip pixel (a whole number, so nothing blurs).
    void setZoom(int zoom);
    int zoom() const { return m_zoom; }
    // The strip cell (column + 64 x row) under a point of the widget.
    int cellAt(QPoint p) const;

signals:
    void cellPicked(int index, bool leftButton);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage m_strip;
    int m_zoom = 2;
};

} // namespace zentrik::gui
