#include "vga/FontListCtrl.h"

#include "vgagraph/FontOps.h"

#include <QMouseEvent>
#include <QPainter>

namespace zentrik::gui {

namespace {
constexpr int kCellMargin = 3;
constexpr int kScale = 2;
constexpr int kPreferredWidth = 560;
} // namespace

FontListCtrl::FontListCtrl(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FontListCtrl"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void FontListCtrl::setActFont(const std::vector<uint8_t>* font,
                              const std::array<QRgb, 256>& palette) {
    m_font = font;
    m_palette = palette;
    m_codes.clear();
    if (m_font)
        for (int c = 0; c < 256; ++c)
            if (fontCharPresent(*m_font, c))
                m_codes.push_back(c);
    layOut();
    update();
}

void FontListCtrl::setSelected(int code) {
    m_selected = code;
    update();
}

void FontListCtrl::layOut() {
    m_cells.clear();
    const int h = m_font ? kScale * fontHeight(*m_font) + kCellMargin : 0;
    int x = 0, y = 0;
    for (int code : m_codes) {
        const int w = kScale * fontCharWidth(*m_font, code) + kCellMargin;
        if (x > 0 && x + w > width()) {
            x = 0;
            y += h;
        }
        m_cells.push_back({QRect(x, y, w, h), code});
        x += w;
    }
    const int needed = m_cells.empty() ? 0 : y + h;
    if (needed != m_height) {
        m_height = needed;
        setMinimumHeight(needed);
        updateGeometry();
    }
}

int FontListCtrl::codeAt(QPoint p) const {
    for (const Cell& c : m_cells)
        if (c.rect.contains(p))
            return c.code;
    return -1;
}

QSize FontListCtrl::sizeHint() const {
    return {kPreferredWidth, std::max(m_height, 40)};
}

void FontListCtrl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().base());
    if (!m_font)
        return;
    const int h = fontHeight(*m_font);
    for (const Cell& c : m_cells) {
        const int w = fontCharWidth(*m_font, c.code);
        const size_t at = size_t(fontCharLocation(*m_font, c.code));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const size_t i = at + size_t(y) * size_t(w) + size_t(x);
                const uint8_t v = i < m_font->size() ? (*m_font)[i] : 0;
                p.fillRect(c.rect.x() + 1 + kScale * x, c.rect.y() + 1 + kScale * y, kScale, kScale,
                           QColor::fromRgb(m_palette[v]));
            }
        if (c.code == m_selected) {
            p.setPen(palette().highlight().color());
            p.drawRect(c.rect.adjusted(0, 0, -1, -1));
        }
    }
}

void FontListCtrl::mousePressEvent(QMouseEvent* event) {
    const int code = codeAt(event->position().toPoint());
    if (code >= 0)
        emit characterClicked(code);
}

void FontListCtrl::resizeEvent(QResizeEvent*) {
    layOut();
}

} // namespace zentrik::gui
