#pragma once

#include <QImage>
#include <QWidget>

class QScrollBar;

namespace zentrik::gui {

// A window of 64 x 64 thumbnails, 4 columns by 6 visible rows on a 65-pixel pitch, scrolled
// by whole rows. The cell of the left pen is framed green, that of the right pen red, and a
// cell that is both yellow. Subclasses say how many cells there are and draw each one.
class ThumbnailGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int kColumns = 4;
    static constexpr int kVisibleRows = 6;
    static constexpr int kPitch = 65;
    static constexpr int kThumb = 64;

    explicit ThumbnailGrid(const QString& title, QWidget* parent = nullptr);

    int firstRow() const;
    void setFirstRow(int row);
    // The cell under a position of the window, or -1.
    int cellAt(QPoint pos) const;
    QRect cellRect(int cell) const;
    // The cells framed for the left and the right pen (-1: none).
    void setFramed(int left, int right);
    int framedLeft() const { return m_left; }
    int framedRight() const { return m_right; }

signals:
    void cellClicked(bool left, int cell);

protected:
    virtual int cellCount() const = 0;
    virtual QImage thumbnail(int cell) const = 0;
    void contentChanged();

    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void resizeEvent(QResizeEvent*) override;

private:
    int rowCount() const { return (cellCount() + kColumns - 1) / kColumns; }
    QScrollBar* m_scroll;
    int m_left = -1, m_right = -1;
};

} // namespace zentrik::gui
