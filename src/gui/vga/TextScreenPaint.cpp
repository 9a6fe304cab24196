#include "vga/TextScreenPaint.h"

#include "vgagraph/TextFont.h"

#include <QMouseEvent>
#include <QPainter>

namespace zentrik::gui {

namespace {
constexpr int kSwatch = 14;
constexpr int kCharColumns = 32;
constexpr int kCharCell = 18; // 8 x 16 glyph with a 1-pixel border
} // namespace

const std::array<QRgb, 16>& textColours() {
    static const std::array<QRgb, 16> colours{
        qRgb(0, 0, 0),     qRgb(0, 0, 170),    qRgb(0, 170, 0),    qRgb(0, 170, 170),
        qRgb(170, 0, 0),   qRgb(170, 0, 170),  qRgb(170, 85, 0),   qRgb(170, 170, 170),
        qRgb(85, 85, 85),  qRgb(85, 85, 255),  qRgb(85, 255, 85),  qRgb(85, 255, 255),
        qRgb(255, 85, 85), qRgb(255, 85, 255), qRgb(255, 255, 85), qRgb(255, 255, 255)};
    return colours;
}

void paintGlyph(QImage& image, int x, int y, ScreenCell cell, BackMode mode, int scale,
                bool blinkHidden) {
    const int back = mode == BackMode::Blink ? (cell.attribute >> 4) & 0x7 : cell.attribute >> 4;
    const QRgb bg = textColours()[size_t(back)];
    const bool hidden = blinkHidden && mode == BackMode::Blink && (cell.attribute & 0x80);
    const QRgb fg = hidden ? bg : textColours()[cell.attribute & 0xF];
    const uint8_t* rows = kTextFont8x16.data() + size_t(cell.character) * kCellPixelsY;
    for (int r = 0; r < kCellPixelsY; ++r)
        for (int c = 0; c < kCellPixelsX; ++c) {
            const QRgb colour = (rows[r] & (0x80 >> c)) ? fg : bg;
            for (int dy = 0; dy < scale; ++dy) {
                auto* line = reinterpret_cast<QRgb*>(image.scanLine(y + r * scale + dy));
                for (int dx = 0; dx < scale; ++dx)
                    line[x + c * scale + dx] = colour;
            }
        }
}

QImage renderTextScreen(const ScreenRecord& screen, BackMode mode, bool blinkHidden) {
    QImage image(kScreenColumns * kCellPixelsX, kScreenRows * kCellPixelsY, QImage::Format_RGB32);
    for (int row = 0; row < kScreenRows; ++row)
        for (int col = 0; col < kScreenColumns; ++col)
            paintGlyph(image, col * kCellPixelsX, row * kCellPixelsY, getCell(screen, col, row),
                       mode, 1, blinkHidden);
    return image;
}

VGAColorsCtrl::VGAColorsCtrl(const QString& caption, QWidget* parent)
    : QWidget(parent), m_caption(caption) {
    setObjectName(caption + QStringLiteral("Colours"));
    setFixedSize(sizeHint());
}

void VGAColorsCtrl::setColour(int colour) {
    m_colour = colour & 0xF;
    update();
}

QSize VGAColorsCtrl::sizeHint() const {
    return {16 * kSwatch + 40, kSwatch + 4};
}

void VGAColorsCtrl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawText(QRect(0, 0, 38, height()), Qt::AlignVCenter, m_caption);
    for (int i = 0; i < 16; ++i) {
        const QRect r(40 + i * kSwatch, 2, kSwatch - 1, kSwatch - 1);
        p.fillRect(r, QColor::fromRgb(textColours()[size_t(i)]));
        if (i == m_colour) {
            p.setPen(palette().highlight().color());
            p.drawRect(r.adjusted(-1, -1, 0, 0));
        }
    }
}

void VGAColorsCtrl::mousePressEvent(QMouseEvent* event) {
    const int i = (int(event->position().x()) - 40) / kSwatch;
    if (event->position().x() < 40 || i > 15)
        return;
    setColour(i);
    emit colourPicked(i);
}

FontClickCtrl::FontClickCtrl(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FontClickCtrl"));
    setFixedSize(sizeHint());
}

void FontClickCtrl::setPens(int left, int right) {
    m_left = left;
    m_right = right;
    update();
}

QSize FontClickCtrl::sizeHint() const {
    return {kCharColumns * 10, 256 / kCharColumns * kCharCell};
}

int FontClickCtrl::codeAt(QPoint p) const {
    const int c = p.x() / 10, r = p.y() / kCharCell;
    return p.x() >= 0 && p.y() >= 0 && c < kCharColumns && r < 256 / kCharColumns
               ? r * kCharColumns + c
               : -1;
}

void FontClickCtrl::paintEvent(QPaintEvent*) {
    QImage image(size(), QImage::Format_RGB32);
    image.fill(textColours()[0]);
    for (int code = 0; code < 256; ++code)
        paintGlyph(image, (code % kCharColumns) * 10 + 1, (code / kCharColumns) * kCharCell + 1,
                   {uint8_t(code), 0x07}, BackMode::Bright);
    QPainter p(this);
    p.drawImage(0, 0, image);
    const struct {
        int code;
        QColor colour;
    } pens[] = {{m_left, Qt::red}, {m_right, Qt::cyan}};
    for (const auto& pen : pens) {
        p.setPen(pen.colour);
        p.drawRect((pen.code % kCharColumns) * 10, (pen.code / kCharColumns) * kCharCell, 9,
                   kCharCell - 1);
    }
}

void FontClickCtrl::mousePressEvent(QMouseEvent* event) {
    const int code = codeAt(event->position().toPoint());
    if (code >= 0)
        emit characterPicked(code, event->button() == Qt::RightButton);
}

} // namespace zentrik::gui
