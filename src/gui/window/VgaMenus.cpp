#include "window/VgaMenus.h"

#include "vga/VgaCommands.h"
#include "vga/VgaData.h"
#include "window/MainToolbar.h"

#include <QAction>
#include <QMenu>

namespace zentrik::gui {

namespace {

void updateSaveMenu(MainToolbar& toolbar, AppContext& context) {
    bool any = false;
    for (int i = 0; i < kVgaPartCount; ++i) {
        const VgaPart part = VgaPart(i);
        const bool on = vgaPartLoaded(context, part);
        toolbar.vgaAction(true, part)->setEnabled(on);
        any = any || on;
    }
    toolbar.action(Command::SaveVgaGraph)->setEnabled(any);
}

} // namespace

void installVgaCommands(MainToolbar& toolbar, AppContext& context) {
    for (int i = 0; i < kVgaPartCount; ++i) {
        const VgaPart part = VgaPart(i);
        toolbar.setVgaHandler(false, part, [&context, part] { loadVgaPart(context, part); });
        toolbar.setVgaHandler(true, part, [&context, part] { saveVgaPart(context, part); });
    }
    QAction* dict =
        toolbar.vgaMenu(false)->addAction(QStringLiteral("Load graphics dictionary..."));
    dict->setObjectName(QStringLiteral("LoadVgaDictionary"));
    QObject::connect(dict, &QAction::triggered, &toolbar,
                     [&context] { loadVgaDictionary(context); });
    auto update = [&toolbar, &context] { updateSaveMenu(toolbar, context); };
    QObject::connect(&VgaData::of(context), &VgaData::loadStateChanged, &toolbar, update);
    update();
}

} // namespace zentrik::gui
