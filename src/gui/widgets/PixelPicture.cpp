#include "widgets/PixelPicture.h"

#include <QPainter>

#include <algorithm>

namespace zentrik::gui {

int wholeScale(QSize picture, QSize box) {
    if (picture.isEmpty())
        return 1;
    return std::max(1, std::min(box.width() / picture.width(), box.height() / picture.height()));
}

PixelPicture::PixelPicture(QSize size, QWidget* parent) : QWidget(parent) {
    setFixedSize(size);
}

void PixelPicture::setImage(const QImage& image) {
    m_image = image;
    update();
}

void PixelPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Dark));
    if (m_image.isNull())
        return;
    // Whole device pixels per picture pixel, so a high-DPI screen does not blur either.
    const qreal dpr = devicePixelRatioF();
    const QSize device(int(width() * dpr), int(height() * dpr));
    const int scale = wholeScale(m_image.size(), device);
    const QSizeF shown(m_image.width() * scale / dpr, m_image.height() * scale / dpr);
    const QRectF target(QPointF((width() - shown.width()) / 2, (height() - shown.height()) / 2),
                        shown);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.drawImage(target, m_image);
}

} // namespace zentrik::gui
