#include "GuiTestSupport.h"

#include <QDir>
#include <QPixmap>

namespace zentrik::test {

void saveSnapshot(QWidget& widget, const QString& name) {
    QString dir = qEnvironmentVariable("ZENTRIK_GUI_SNAPSHOTS");
#ifdef ZENTRIK_GUI_SNAPSHOT_DIR
    if (dir.isEmpty())
        dir = QStringLiteral(ZENTRIK_GUI_SNAPSHOT_DIR);
#endif
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    widget.grab().save(QDir(dir).filePath(name + QStringLiteral(".png")));
}

} // namespace zentrik::test
