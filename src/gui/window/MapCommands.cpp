#include "window/MapCommands.h"

#include "mapedit/CPropMapEdit.h"
#include "window/MainToolbar.h"

#include <QAction>

namespace zentrik::gui {

void connectMapCommands(MainToolbar& toolbar, CPropMapEdit& page) {
    toolbar.setHandler(Command::LoadMaps, [&page] { page.loadMaps(); });
    toolbar.setHandler(Command::SaveMaps, [&page] { page.saveMaps(); });
    QAction* own = page.action("saveMaps");
    QAction* shown = toolbar.action(Command::SaveMaps);
    shown->setEnabled(own->isEnabled());
    QObject::connect(own, &QAction::changed, shown,
                     [own, shown] { shown->setEnabled(own->isEnabled()); });
}

} // namespace zentrik::gui
