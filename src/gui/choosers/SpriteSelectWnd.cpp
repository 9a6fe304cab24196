#include "choosers/SpriteSelectWnd.h"

#include "choosers/ChooserImages.h"

#include <QPainter>

#include <cmath>
#include <optional>

namespace zentrik::gui {

namespace {

constexpr int kActorAngles = 8;
constexpr int kMarkLength = 6;

QImage symbolImage(const SymbolStrip& strip, uint16_t value) {
    const Symbol s = strip.symbol(SymbolStrip::objectIndex(value));
    QImage img(kSymbolSize, kSymbolSize, QImage::Format_RGB555);
    for (int y = 0; y < kSymbolSize; ++y)
        for (int x = 0; x < kSymbolSize; ++x) {
            const uint16_t c = s[size_t(y * kSymbolSize + x)];
            img.setPixel(x, y, qRgb(((c >> 10) & 31) << 3, ((c >> 5) & 31) << 3, (c & 31) << 3));
        }
    return img;
}

// Quarter turns for player starts, eighths (the actor's direction doubled) for actors.
std::optional<double> directionAngle(const ObjectDescription& d) {
    if (d.type == kObjectPlayerStart)
        return d.flag * 90.0;
    if (d.type == kObjectActor)
        return (d.flag * 2 % kActorAngles) * 45.0;
    return std::nullopt;
}

} // namespace

SpriteSelectWnd::SpriteSelectWnd(QWidget* parent)
    : ThumbnailGrid(QStringLiteral("Available objects"), parent) {
    setObjectName(QStringLiteral("SpriteSelectWnd"));
    connect(this, &ThumbnailGrid::cellClicked, this, [this](bool left, int cell) {
        if (cell >= 0 && cell < cellCount())
            emit objectChosen(left, m_values[size_t(cell)]);
    });
}

void SpriteSelectWnd::setData(const SpriteSet* sprites, const GamePalette* palette) {
    m_sprites = sprites;
    m_palette = palette;
    contentChanged();
}

void SpriteSelectWnd::setSymbols(const SymbolSet* symbols) {
    m_symbols = symbols;
    m_values.clear();
    if (symbols)
        for (int v : symbols->names.objectOrder)
            if (v >= 0)
                m_values.push_back(v);
    setPens(m_leftValue, m_rightValue);
    contentChanged();
}

void SpriteSelectWnd::setPens(int leftObject, int rightObject) {
    m_leftValue = leftObject;
    m_rightValue = rightObject;
    setFramed(cellOf(leftObject), cellOf(rightObject));
}

int SpriteSelectWnd::cellOf(int value) const {
    for (size_t i = 0; i < m_values.size(); ++i)
        if (m_values[i] == value)
            return int(i);
    return -1;
}

int SpriteSelectWnd::spriteOf(int cell) const {
    if (!m_symbols || cell < 0 || cell >= cellCount())
        return -1;
    const ObjectDescription& d = m_symbols->objects.at(uint16_t(m_values[size_t(cell)]));
    if (d.sprite == 0)
        return -1;
    int sprite = d.sprite;
    if (d.type == kObjectActor)
        sprite += d.flag * 2 % kActorAngles;
    const int count = m_sprites ? m_sprites->count() : 0;
    return sprite < count ? sprite : -1;
}

QImage SpriteSelectWnd::thumbnail(int cell) const {
    if (!m_symbols || cell < 0 || cell >= cellCount())
        return {};
    const uint16_t value = uint16_t(m_values[size_t(cell)]);
    QImage out(kThumb, kThumb, QImage::Format_RGB32);
    out.fill(Qt::black);
    QPainter p(&out);
    const int sprite = spriteOf(cell);
    if (sprite >= 0 && m_palette && m_sprites->images[size_t(sprite)]) {
        p.drawImage(0, 0, chooserImage(*m_sprites->images[size_t(sprite)], *m_palette, kThumb));
    } else {
        const int side = kSymbolSize * kSymbolZoom;
        p.drawImage(QRect((kThumb - side) / 2, (kThumb - side) / 2, side, side),
                    symbolImage(m_symbols->strip, value));
    }
    if (const auto angle = directionAngle(m_symbols->objects.at(value))) {
        const double rad = *angle * M_PI / 180.0;
        const QPointF c(kThumb - 8, kThumb - 8);
        p.setPen(QPen(Qt::white, 2));
        p.drawLine(c, c + QPointF(std::cos(rad) * kMarkLength, -std::sin(rad) * kMarkLength));
    }
    return out;
}

} // namespace zentrik::gui
