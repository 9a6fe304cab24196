#include "world/TileListPage.h"

#include "context/AppContext.h"
#include "context/PageRegistry.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QScrollBar>
#include <QWheelEvent>

namespace zentrik::gui {

namespace {
constexpr int kSymbolShown = 14; // the 7 x 7 symbol at twice its size
constexpr int kValueRole = Qt::UserRole;

template <PenKind K> QWidget* makeList(AppContext& c, QWidget* parent) {
    return new TileListPage(c, K, parent);
}
const PageRegistration regWalls("CPropWalls", makeList<kPenWall>);
const PageRegistration regObjects("CPropObjects", makeList<kPenObject>);
const PageRegistration regFloors("CPropFloors", makeList<kPenFloor>);
} // namespace

TileListPage::TileListPage(AppContext& context, PenKind kind, QWidget* parent)
    : QListWidget(parent), m_context(context), m_kind(kind) {
    setIconSize(QSize(kSymbolShown, kSymbolShown));
    setUniformItemSizes(true);
    setFont(QFont(QStringLiteral("monospace")));
    connect(&context.messages, &AppMessages::symbolsChanged, this, &TileListPage::rebuild);
    rebuild();
}

const std::vector<int>& TileListPage::order() const {
    const TileNames& n = m_context.symbols.names;
    return m_kind == kPenWall ? n.wallOrder : m_kind == kPenObject ? n.objectOrder : n.floorOrder;
}

void TileListPage::rebuild() {
    const int keep = currentRow();
    clear();
    const bool object = m_kind == kPenObject;
    for (int value : order()) {
        if (value < 0)
            break; // the rest of the order list is empty
        const auto v = uint16_t(value);
        const std::string label = object ? m_context.objectLabel(v) : m_context.plane0Label(v);
        // Twice the size, pixel for pixel: scaled() with FastTransformation does not blur.
        const QImage symbol = m_context.symbolImage(object, v).scaled(
            kSymbolShown, kSymbolShown, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        auto* item = new QListWidgetItem(QIcon(QPixmap::fromImage(symbol)),
                                         QString::fromStdString(label), this);
        item->setData(kValueRole, value);
    }
    if (keep >= 0 && keep < count())
        setCurrentRow(keep);
}

void TileListPage::pick(int row, bool left) {
    const QListWidgetItem* it = item(row);
    if (!it)
        return;
    const auto value = quint16(it->data(kValueRole).toInt());
    m_context.editPlane = m_kind == kPenWall     ? EditPlane::Walls
                          : m_kind == kPenObject ? EditPlane::Objects
                                                 : EditPlane::Floors;
    emit m_context.messages.editPlaneChanged();
    emit m_context.messages.penChanged(left, m_kind, m_kind == kPenObject ? value : 0,
                                       m_kind == kPenObject ? 0 : value);
}

void TileListPage::mousePressEvent(QMouseEvent* event) {
    QListWidget::mousePressEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid())
        return;
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton)
        pick(index.row(), event->button() == Qt::LeftButton);
}

void TileListPage::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentRow() >= 0) {
        pick(currentRow(), !(event->modifiers() & Qt::ShiftModifier));
        return;
    }
    QListWidget::keyPressEvent(event);
}

} // namespace zentrik::gui

namespace zentrik::gui {

void TileListPage::wheelEvent(QWheelEvent* event) {
    // Notches are summed until a whole step is reached, so fine-grained touchpads work too.
    m_wheelRest += event->angleDelta().y();
    const int step = std::max(1, m_context.wheelStep);
    const int pages = m_wheelRest / step;
    m_wheelRest -= pages * step;
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->value() - pages * bar->pageStep());
    event->accept();
}

} // namespace zentrik::gui
