#include "widgets/PictureDrop.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace zentrik::gui {

std::optional<std::string> droppedPicture(const QMimeData* mime) {
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1)
        return std::nullopt;
    const QUrl url = mime->urls().constFirst();
    const QString file = url.toLocalFile();
    if (!url.isLocalFile() || !(file.endsWith(QLatin1String(".png"), Qt::CaseInsensitive) ||
                                file.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive)))
        return std::nullopt;
    return file.toStdString();
}

PictureDrop::PictureDrop(QWidget* page, std::function<bool()> canTake,
                         std::function<void(const std::string&)> import)
    : QObject(page), m_canTake(std::move(canTake)), m_import(std::move(import)) {
    page->setAcceptDrops(true);
    page->installEventFilter(this);
}

bool PictureDrop::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::DragEnter) {
        auto* drag = static_cast<QDragEnterEvent*>(event);
        if (m_canTake() && droppedPicture(drag->mimeData())) {
            drag->acceptProposedAction();
            return true;
        }
        drag->ignore();
        return true;
    }
    if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        const auto path = droppedPicture(drop->mimeData());
        if (!path) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        m_import(*path);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zentrik::gui
