#include "GuiTestSupport.h"

#include <QDir>
#include <QPixmap>

namespace zentrik::test {

void saveSnapshot(QWidget& widget, const QString& name) {
    const QString dir = qEnvironmentVariable("ZENTRIK_GUI_SNAPSHOTS");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    widget.grab().save(QDir(dir).filePath(name + QStringLiteral(".png")));
}

} // namespace zentrik::test
