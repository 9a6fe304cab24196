#include "platform/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace zentrik::gui {

void putMapClip(const std::vector<uint8_t>& bytes) {
    auto* data = new QMimeData;
    data->setData(kMapClipMimeType,
                  QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
    QGuiApplication::clipboard()->setMimeData(data); // the clipboard owns it
}

std::optional<std::vector<uint8_t>> takeMapClip() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasFormat(kMapClipMimeType))
        return std::nullopt;
    const QByteArray b = data->data(kMapClipMimeType);
    return std::vector<uint8_t>(b.begin(), b.end());
}

bool hasMapClip() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasFormat(kMapClipMimeType);
}

} // namespace zentrik::gui
