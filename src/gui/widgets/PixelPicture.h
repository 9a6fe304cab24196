#pragma once

#include <QImage>
#include <QWidget>

namespace zentrik::gui {

// Shows a small picture (a map symbol, a texture, a sprite) enlarged by the largest whole
// factor that fits, pixel for pixel: game graphics must stay sharp, never smoothed.
class PixelPicture : public QWidget {
    Q_OBJECT
public:
    explicit PixelPicture(QSize size, QWidget* parent = nullptr);

    void setImage(const QImage& image);
    const QImage& image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
};

// The largest whole factor by which `picture` fits into `box` (at least 1).
int wholeScale(QSize picture, QSize box);

} // namespace zentrik::gui
