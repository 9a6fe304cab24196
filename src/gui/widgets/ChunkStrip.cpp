#include "widgets/ChunkStrip.h"

#include <QMouseEvent>
#include <QPainter>

namespace zentrik::gui {

namespace {
constexpr int kGap = 6;
constexpr int kCell = ChunkStrip::kThumbSide + kGap;
} // namespace

ChunkStrip::ChunkStrip(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ChunkStrip"));
    setFocusPolicy(Qt::NoFocus); // a mouse shortcut; the chunk field and PageUp/PageDown stay
    setToolTip(QStringLiteral("Click a picture to go to it"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void ChunkStrip::setThumbnails(int first, std::vector<QImage> images, int current) {
    m_first = first;
    m_images = std::move(images);
    m_current = current;
    update();
}

void ChunkStrip::updateThumbnail(int index, const QImage& image) {
    const int k = index - m_first;
    if (k < 0 || k >= shownCount())
        return;
    m_images[size_t(k)] = image;
    update(thumbRect(index));
}

QImage ChunkStrip::thumbnail(int index) const {
    const int k = index - m_first;
    return k < 0 || k >= shownCount() ? QImage() : m_images[size_t(k)];
}

QRect ChunkStrip::thumbRect(int index) const {
    const int k = index - m_first;
    if (k < 0 || k >= shownCount())
        return {};
    return {kGap / 2 + k * kCell, kGap / 2, kThumbSide, kThumbSide};
}

QSize ChunkStrip::sizeHint() const {
    return {kCell * std::max(1, shownCount()), kCell + fontMetrics().height()};
}

void ChunkStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (int k = 0; k < shownCount(); ++k) {
        const int index = m_first + k;
        const QRect box = thumbRect(index);
        const QImage& image = m_images[size_t(k)];
        if (!image.isNull()) {
            // Whole pixels where the picture is small, otherwise smooth enough to read.
            const QSize fitted = image.size().scaled(box.size(), Qt::KeepAspectRatio);
            QRect target(QPoint(0, 0), fitted);
            target.moveCenter(box.center());
            painter.drawImage(target, image);
        }
        painter.setPen(index == m_current ? palette().highlight().color()
                                          : palette().mid().color());
        painter.drawRect(box.adjusted(-1, -1, 0, 0));
        if (index == m_current)
            painter.drawRect(box.adjusted(-2, -2, 1, 1));
        painter.setPen(palette().text().color());
        painter.drawText(
            QRect(box.left() - kGap / 2, box.bottom() + 2, kCell, fontMetrics().height()),
            Qt::AlignHCenter, QString::number(index));
    }
}

void ChunkStrip::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    for (int k = 0; k < shownCount(); ++k) {
        if (thumbRect(m_first + k).adjusted(-kGap / 2, 0, kGap / 2, 0).contains(at)) {
            emit chunkChosen(m_first + k);
            return;
        }
    }
    QWidget::mousePressEvent(event);
}

} // namespace zentrik::gui
