#pragma once

#include <QImage>
#include <QWidget>

#include <vector>

namespace zentrik::gui {

// A row of thumbnails of neighbouring chunks, each with its number beneath; the current one
// is framed. It only paints the images it is given; a click on one asks for that chunk.
class ChunkStrip : public QWidget {
    Q_OBJECT
public:
    static constexpr int kThumbSide = 48;

    explicit ChunkStrip(QWidget* parent = nullptr);

    // The pictures of chunks first, first + 1, ...; `current` is framed.
    void setThumbnails(int first, std::vector<QImage> images, int current);
    // Replaces one picture already shown (after an edit of that chunk).
    void updateThumbnail(int index, const QImage& image);
    int first() const { return m_first; }
    int shownCount() const { return int(m_images.size()); }
    int current() const { return m_current; }
    QImage thumbnail(int index) const;
    // Where the thumbnail of chunk `index` is painted (empty when it is not shown).
    QRect thumbRect(int index) const;
    QSize sizeHint() const override;

signals:
    void chunkChosen(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int m_first = 0;
    int m_current = -1;
    std::vector<QImage> m_images;
};

} // namespace zentrik::gui
