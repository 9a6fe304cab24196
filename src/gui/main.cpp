#include "app/CZentrikDlg.h"
#include "app/ProgramFolder.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Zentrik"));

    zentrik::gui::AppContext context(zentrik::gui::defaultProgramPaths());
    zentrik::gui::CZentrikDlg window(context);
    window.show();
    return app.exec();
}
