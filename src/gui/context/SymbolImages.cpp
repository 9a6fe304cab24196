#include "context/SymbolImages.h"

#include "io/SafeFile.h"

#include <QString>

namespace zentrik::gui {

namespace fs = std::filesystem;

namespace {
constexpr uint64_t kMaxStripFileBytes = 4u * 1024 * 1024;
constexpr int kChannelBits = 5;
constexpr int kChannelMax = 31;

int expand(int five) {
    return (five << 3) | (five >> 2); // 31 becomes 255, 0 stays 0
}
} // namespace

QRgb rgbOf555(uint16_t pixel) {
    return qRgb(expand((pixel >> (2 * kChannelBits)) & kChannelMax),
                expand((pixel >> kChannelBits) & kChannelMax), expand(pixel & kChannelMax));
}

uint16_t pixel555Of(QRgb rgb) {
    return uint16_t(((qRed(rgb) >> 3) << (2 * kChannelBits)) |
                    ((qGreen(rgb) >> 3) << kChannelBits) | (qBlue(rgb) >> 3));
}

QImage symbolToImage(const Symbol& symbol) {
    QImage image(kSymbolSize, kSymbolSize, QImage::Format_RGB32);
    for (int y = 0; y < kSymbolSize; ++y)
        for (int x = 0; x < kSymbolSize; ++x)
            image.setPixel(x, y, rgbOf555(symbol[size_t(y * kSymbolSize + x)]));
    return image;
}

Symbol imageToSymbol(const QImage& image) {
    Symbol s{};
    for (int y = 0; y < kSymbolSize && y < image.height(); ++y)
        for (int x = 0; x < kSymbolSize && x < image.width(); ++x)
            s[size_t(y * kSymbolSize + x)] = pixel555Of(image.pixel(x, y));
    return s;
}

QImage stripToImage(const SymbolStrip& strip) {
    QImage image(kStripWidth, kStripHeight, QImage::Format_RGB32);
    for (int y = 0; y < kStripHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kStripWidth; ++x)
            line[x] = rgbOf555(strip.pixel(x, y));
    }
    return image;
}

Result<SymbolStrip> readSymbolStrip(const fs::path& setFolder) {
    const Error missing{"The symbols for walls/objects/floors won't be correct!",
                        "Zentrik: Symbols.bmp not available!"};
    std::error_code ec;
    for (fs::directory_iterator it(setFolder, ec), end; !ec && it != end; it.increment(ec)) {
        const QString file = QString::fromStdString(it->path().filename().string());
        if (file.compare(QString::fromLatin1(kSymbolsFileName), Qt::CaseInsensitive) != 0)
            continue;
        auto bytes = readWholeFile(it->path(), kMaxStripFileBytes);
        if (!bytes)
            return missing;
        auto strip = SymbolStrip::decodeBmp(*bytes);
        if (!strip)
            return missing;
        return strip;
    }
    return missing;
}

} // namespace zentrik::gui
