#include "world/SymbolBox.h"

#include "world/SymbolPickCtrl.h"

#include <QHideEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>

namespace zentrik::gui {

namespace {
constexpr int kVisibleHeight = 480; // a good part of the 896-pixel picker, scrolled for the rest
} // namespace

SymbolBox::SymbolBox(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setObjectName(QStringLiteral("SymbolBox"));
    setWindowTitle(QStringLiteral("SymbolBox"));
    m_picker = new SymbolPickVertCtrl;
    auto* scroller = new QScrollArea(this);
    scroller->setWidget(m_picker);
    scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroller);
    const int frame = 2 * scroller->frameWidth();
    resize(m_picker->width() + scroller->verticalScrollBar()->sizeHint().width() + frame,
           std::min(kVisibleHeight, m_picker->height() + frame));
}

void SymbolBox::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Only the program's own show and hide count; minimising the desktop must not untick
    // the button and so hide the box for good.
    if (!event->spontaneous())
        emit shownChanged(true);
}

void SymbolBox::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        emit shownChanged(false);
}

} // namespace zentrik::gui
