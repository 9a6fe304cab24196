#include "context/ProgramFolder.h"

#include "app/ProgramFolders.h"

#include <QCoreApplication>
#include <QStandardPaths>

namespace zentrik::gui {

namespace {
std::filesystem::path toPath(const QString& s) {
    return std::filesystem::path(s.toStdU16String());
}
} // namespace

ProgramPaths defaultProgramPaths() {
    const auto userDir =
        toPath(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    const ProgramFolders folders =
        resolveProgramFolders(toPath(QCoreApplication::applicationDirPath()), userDir);
    return {folders.program, userDir};
}

} // namespace zentrik::gui
