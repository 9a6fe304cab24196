#pragma once

#include <QColor>
#include <QWidget>

#include <array>

namespace zentrik::gui {

// The 256 colours of a palette as a 16 x 16 grid; a click selects an entry.
class ColorGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int kColumns = 16;
    static constexpr int kEntries = 256;

    explicit ColorGrid(QWidget* parent = nullptr);

    void setColors(const std::array<QRgb, kEntries>& colors);
    void setColor(int index, QRgb color);
    QRgb color(int index) const { return m_colors[size_t(index)]; }
    int selected() const { return m_selected; }
    void setSelected(int index);
    // Marks the pens' entries of a picture page: the left colour framed "L", the right "R".
    void setPenMarks(int left, int right);
    // The entry that stands for "transparent" (255 on the sprite page), drawn over a
    // checkerboard; -1 for none.
    void setTransparentMark(int index);
    // The entry under a point of the widget, or -1 outside the entries.
    int indexAt(QPoint p) const;
    QSize sizeHint() const override;

signals:
    void entryClicked(int index);
    // The same click with its button: picture pages take the right button's entry as the
    // right pen colour.
    void entryPicked(int index, bool rightButton);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int cellSize() const;
    std::array<QRgb, kEntries> m_colors{};
    int m_selected = -1;
    int m_leftMark = -1;
    int m_rightMark = -1;
    int m_transparentMark = -1;
};

} // namespace zentrik::gui
