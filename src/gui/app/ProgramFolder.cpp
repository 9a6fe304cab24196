#include "app/ProgramFolder.h"

#include <QCoreApplication>
#include <QStandardPaths>

namespace zentrik::gui {

namespace {
std::filesystem::path toPath(const QString& s) {
    return std::filesystem::path(s.toStdU16String());
}
} // namespace

ProgramPaths defaultProgramPaths() {
    return {toPath(QCoreApplication::applicationDirPath()),
            toPath(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))};
}

} // namespace zentrik::gui
