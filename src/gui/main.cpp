#include "context/ProgramFolder.h"
#include "window/CommandLine.h"
#include "window/CZentrikDlg.h"
#include "window/LoadAllCommand.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace {

std::vector<std::string> argsAfterProgram(const QStringList& args) {
    std::vector<std::string> out;
    for (qsizetype i = 1; i < args.size(); ++i)
        out.push_back(args[i].toStdString());
    return out;
}

// Answers --help and --version before Qt needs a display.
bool earlyAnswer(int argc, char* argv[], int& exitCode) {
    using zentrik::gui::CommandLine;
    const auto line =
        zentrik::gui::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (line.action == CommandLine::Action::Help) {
        std::fputs(zentrik::gui::commandLineHelp().c_str(), stdout);
        exitCode = 0;
        return true;
    }
    if (line.action == CommandLine::Action::Version) {
        std::printf("%s\n", zentrik::gui::versionText().c_str());
        exitCode = 0;
        return true;
    }
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    int exitCode = 0;
    if (earlyAnswer(argc, argv, exitCode))
        return exitCode;

    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Zentrik"));
    const auto line = zentrik::gui::parseCommandLine(argsAfterProgram(app.arguments()));
    if (line.action == zentrik::gui::CommandLine::Action::Usage) {
        std::fprintf(stderr, "zentrik: %s (see zentrik --help)\n", line.error.c_str());
        return 2;
    }

    zentrik::gui::AppContext context(zentrik::gui::defaultProgramPaths());
    zentrik::gui::CZentrikDlg window(context);
    window.show();
    if (line.openPath) {
        const std::filesystem::path path(
            QString::fromLocal8Bit(line.openPath->c_str()).toStdU16String());
        // Once the pages have hooked into the toolbar, as after a click on "Load All".
        QTimer::singleShot(0, &window, [&window, path] { window.loadAllCommand()->open(path); });
    }
    // Lets scripted checks of an installation start the editor and have it close by itself,
    // writing its settings as a user's close would.
    if (const char* ms = std::getenv("ZENTRIK_CLOSE_AFTER_MS"))
        QTimer::singleShot(std::atoi(ms), &window, &QWidget::close);
    return app.exec();
}
