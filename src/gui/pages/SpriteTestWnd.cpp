#include "pages/SpriteTestWnd.h"

#include "pagefile/ChunkEdit.h"
#include "widgets/PixelPicture.h"

#include <QHBoxLayout>
#include <QShortcut>

namespace zentrik::gui {

namespace {
constexpr int kPictureSide = 256;
} // namespace

QImage spriteImage(const IndexedImage& sprite, const GamePalette& palette) {
    QImage image(sprite.side, sprite.side, QImage::Format_ARGB32);
    for (int y = 0; y < sprite.side; ++y)
        for (int x = 0; x < sprite.side; ++x) {
            const uint8_t i = sprite.at(x, y);
            const Rgb& c = palette.entries[i];
            image.setPixel(x, y, i == TransparentIndex ? 0u : qRgb(c.r, c.g, c.b));
        }
    return image;
}

SpriteTestWnd::SpriteTestWnd(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SpriteTestWnd"));
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QDialog::reject);
    setWindowTitle(QStringLiteral("Sprite test"));
    m_stored = new PixelPicture(QSize(kPictureSide, kPictureSide), this);
    m_decoded = new PixelPicture(QSize(kPictureSide, kPictureSide), this);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_stored);
    layout->addWidget(m_decoded);
}

void SpriteTestWnd::showSprite(const IndexedImage* sprite, const GamePalette& palette) {
    if (!sprite) {
        m_stored->setImage(QImage());
        m_decoded->setImage(QImage());
        return;
    }
    m_stored->setImage(spriteImage(*sprite, palette));
    m_decoded->setImage(spriteImage(spriteRoundTrip(*sprite), palette));
}

const QImage& SpriteTestWnd::stored() const {
    return m_stored->image();
}

const QImage& SpriteTestWnd::decoded() const {
    return m_decoded->image();
}

} // namespace zentrik::gui
