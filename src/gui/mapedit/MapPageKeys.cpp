// The map page's keys for moving about: the previous and next level, and the player start.
#include "mapedit/CPropMapEdit.h"

#include "world/ObjectDescriptions.h"

#include <QAction>

namespace zentrik::gui {

std::optional<QPoint> CPropMapEdit::playerStartCell() const {
    const Level* level = m_ws.levels().current();
    const ObjectDescriptionTable* table = m_map->view().table;
    if (!level || !table || level->planes[1].size() != size_t(kPlaneWords))
        return std::nullopt;
    const Plane& objects = level->planes[1];
    for (int i = 0; i < kPlaneWords; ++i)
        if (table->objects[objects[size_t(i)]].type == kObjectPlayerStart)
            return QPoint(i % kMapSide, i / kMapSide);
    return std::nullopt;
}

void CPropMapEdit::centrePlayerStart() {
    if (const auto cell = playerStartCell())
        m_map->centreOnCell(cell->x(), cell->y());
}

void CPropMapEdit::addNavigationKeys() {
    auto key = [this](const char* name, Qt::Key k, auto slot) {
        auto* a = new QAction(this);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(QKeySequence(k));
        connect(a, &QAction::triggered, this, slot);
    };
    key("prevLevelKey", Qt::Key_PageUp, [this] { m_ws.levelEditor().prevLevel(); });
    key("nextLevelKey", Qt::Key_PageDown, [this] { m_ws.levelEditor().nextLevel(); });
    key("playerStartKey", Qt::Key_Home, [this] { centrePlayerStart(); });
}

} // namespace zentrik::gui
