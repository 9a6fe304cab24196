#include "vga/SmallGraphCtrl.h"

#include <QMouseEvent>

namespace zentrik::gui {

namespace {
constexpr int kZoom = 3;

// The pop-up: a click switches between the zoomed and the shrunk (1:1) view.
class GrPopupWnd : public QLabel {
public:
    explicit GrPopupWnd(const QImage& image, QWidget* parent)
        : QLabel(parent, Qt::Tool), m_image(image) {
        setAttribute(Qt::WA_DeleteOnClose);
        setWindowTitle(QStringLiteral("Picture"));
        show(true);
    }

protected:
    void mousePressEvent(QMouseEvent*) override { show(!m_zoomed); }

private:
    void show(bool zoomed) {
        m_zoomed = zoomed;
        const QImage shown = zoomed ? m_image.scaled(m_image.size() * kZoom) : m_image;
        setPixmap(QPixmap::fromImage(shown));
        setToolTip(zoomed ? QStringLiteral("click to shrink") : QStringLiteral("click to zoom"));
        resize(shown.size());
        QLabel::show();
    }
    QImage m_image;
    bool m_zoomed = false;
};
} // namespace

SmallGraphCtrl::SmallGraphCtrl(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("SmallGraphCtrl"));
    setToolTip(QStringLiteral("click to zoom"));
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void SmallGraphCtrl::setPicture(const QImage& image) {
    m_image = image;
    setPixmap(QPixmap::fromImage(image));
    if (m_popup)
        m_popup->close();
}

void SmallGraphCtrl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_image.isNull())
        return;
    if (m_popup)
        m_popup->close();
    m_popup = new GrPopupWnd(m_image, this);
}

} // namespace zentrik::gui
