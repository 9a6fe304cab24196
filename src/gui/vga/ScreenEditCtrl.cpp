#include "vga/ScreenEditCtrl.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace zentrik::gui {

ScreenEditCtrl::ScreenEditCtrl(ScreenPens& pens, QWidget* parent) : QWidget(parent), m_pens(pens) {
    setObjectName(QStringLiteral("ScreenEditCtrl"));
    setFixedSize(sizeHint());
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    // 16 frames on, 16 off at the text mode's 70 frames per second.
    constexpr int kBlinkPhaseMs = 229;
    m_blink.setInterval(kBlinkPhaseMs);
    connect(&m_blink, &QTimer::timeout, this, &ScreenEditCtrl::blinkTick);
    m_blink.start();
}

void ScreenEditCtrl::blinkTick() {
    bool blinking = false;
    if (m_screen && m_pens.mode == BackMode::Blink && isVisible()) {
        for (int row = 0; row < kScreenRows && !blinking; ++row)
            for (int col = 0; col < kScreenColumns && !blinking; ++col)
                blinking = (getCell(*m_screen, col, row).attribute & 0x80) != 0;
    }
    const bool hidden = blinking && !m_blinkHidden;
    if (hidden != m_blinkHidden) {
        m_blinkHidden = hidden;
        update();
    }
}

QSize ScreenEditCtrl::sizeHint() const {
    return {kScreenColumns * kCellPixelsX, kScreenRows * kCellPixelsY};
}

void ScreenEditCtrl::setScreen(ScreenRecord* screen) {
    m_screen = screen;
    dropFloating();
    update();
}

void ScreenEditCtrl::setTool(Tool tool) {
    m_tool = tool;
    m_held.reset();
}

void ScreenEditCtrl::setSelection(std::optional<CellRect> selection) {
    m_selection = selection;
    emit selectionChanged(selection ? selection->columns() : 0, selection ? selection->rows() : 0);
    update();
}

void ScreenEditCtrl::startFloating(const std::array<uint8_t, kScreenClipBytes>& block) {
    m_floating = block;
    m_floatAt = QPoint(0, 0);
    emit floatingChanged(true);
    update();
}

void ScreenEditCtrl::dropFloating() {
    if (!m_floating)
        return;
    m_floating.reset();
    emit floatingChanged(false);
    update();
}

void ScreenEditCtrl::placeFloating(int column, int row) {
    if (!m_floating || !m_screen)
        return;
    if (beforeEdit)
        beforeEdit();
    PasteScreenBlock(*m_screen, *m_floating, column, row);
    dropFloating();
    emit edited();
}

QPoint ScreenEditCtrl::cellAt(QPointF pos) {
    return {std::clamp(int(pos.x()) / kCellPixelsX, 0, kScreenColumns - 1),
            std::clamp(int(pos.y()) / kCellPixelsY, 0, kScreenRows - 1)};
}

void ScreenEditCtrl::paintAt(QPoint cell, bool right) {
    if (!m_pens.editText && !m_pens.editColors)
        return;
    const ScreenCell old = getCell(*m_screen, cell.x(), cell.y());
    const ScreenCell pen = m_pens.cell(right);
    if ((!m_pens.editText || old.character == pen.character) &&
        (!m_pens.editColors || old.attribute == pen.attribute))
        return;
    if (beforeEdit)
        beforeEdit();
    if (m_tool == Tool::Fill)
        FloodFill(*m_screen, cell.x(), cell.y(), pen, m_pens.editText, m_pens.editColors);
    else
        PaintCell(*m_screen, cell.x(), cell.y(), pen, m_pens.editText, m_pens.editColors);
    update();
    emit edited();
}

void ScreenEditCtrl::mousePressEvent(QMouseEvent* event) {
    if (!m_screen)
        return;
    const QPoint cell = cellAt(event->position());
    const bool right = event->button() == Qt::RightButton;
    if (m_floating) {
        if (right)
            dropFloating();
        else
            placeFloating(cell.x(), cell.y());
        return;
    }
    m_held = event->button();
    switch (m_tool) {
    case Tool::Pen:
    case Tool::Fill:
        paintAt(cell, right);
        break;
    case Tool::Select:
        m_anchor = cell;
        setSelection(CellRect{cell.x(), cell.y(), cell.x(), cell.y()});
        break;
    case Tool::Pipette: {
        const ScreenCell c = getCell(*m_screen, cell.x(), cell.y());
        (right ? m_pens.right : m_pens.left) = c.character;
        m_pens.foreground = c.attribute & 0xF;
        m_pens.background = c.attribute >> 4;
        emit pensPicked();
        break;
    }
    }
}

void ScreenEditCtrl::mouseMoveEvent(QMouseEvent* event) {
    const QPoint cell = cellAt(event->position());
    emit cursorMoved(cell.x(), cell.y());
    if (m_floating) {
        m_floatAt = cell;
        update();
        return;
    }
    if (!m_held || !m_screen)
        return;
    if (m_tool == Tool::Pen)
        paintAt(cell, *m_held == Qt::RightButton);
    else if (m_tool == Tool::Select)
        setSelection(CellRect{std::min(m_anchor.x(), cell.x()), std::min(m_anchor.y(), cell.y()),
                              std::max(m_anchor.x(), cell.x()), std::max(m_anchor.y(), cell.y())});
}

void ScreenEditCtrl::mouseReleaseEvent(QMouseEvent*) {
    m_held.reset();
}

void ScreenEditCtrl::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && m_floating) {
        dropFloating();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ScreenEditCtrl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!m_screen) {
        p.fillRect(rect(), Qt::darkGray);
        return;
    }
    QImage image = renderTextScreen(*m_screen, m_pens.mode, m_blinkHidden);
    if (m_floating) {
        ScreenRecord preview = *m_screen;
        PasteScreenBlock(preview, *m_floating, m_floatAt.x(), m_floatAt.y());
        image = renderTextScreen(preview, m_pens.mode, m_blinkHidden);
    }
    p.drawImage(0, 0, image);
    if (m_selection && !m_floating) {
        const PixelRect r = m_selection->pixels();
        p.setPen(QPen(Qt::white, 1, Qt::DashLine));
        p.drawRect(r.left(), r.top(), r.width() - 1, r.height() - 1);
    }
}

} // namespace zentrik::gui
