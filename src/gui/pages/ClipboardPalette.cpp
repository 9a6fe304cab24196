#include "pages/ClipboardPalette.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

namespace zentrik::gui {

std::optional<std::vector<Rgb>> paletteOfImage(const QImage& image) {
    const QList<QRgb> table = image.colorTable();
    if (table.isEmpty())
        return std::nullopt;
    std::vector<Rgb> out;
    for (qsizetype i = 0; i < table.size() && i < kPaletteEntries; ++i)
        out.push_back(
            Rgb{uint8_t(qRed(table[i])), uint8_t(qGreen(table[i])), uint8_t(qBlue(table[i]))});
    return out;
}

std::optional<std::vector<Rgb>> clipboardPalette() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return std::nullopt;
    for (const QString& type : {QStringLiteral("image/bmp"), QStringLiteral("image/png")}) {
        if (data->hasFormat(type)) {
            if (auto p = paletteOfImage(QImage::fromData(data->data(type))))
                return p;
        }
    }
    if (data->hasImage())
        return paletteOfImage(qvariant_cast<QImage>(data->imageData()));
    return std::nullopt;
}

} // namespace zentrik::gui
