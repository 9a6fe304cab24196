#include "window/TooltipGate.h"

#include <QEvent>

namespace zentrik::gui {

bool TooltipGate::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip && m_setting == 0)
        return true;
    return QObject::eventFilter(watched, event);
}

} // namespace zentrik::gui
