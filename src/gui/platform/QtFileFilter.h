#pragma once

#include <QString>
#include <QStringList>

#include <string>

namespace zentrik::gui {

// The patterns a dialog on this system needs for one pattern of the program: file names are
// case-sensitive here while the game's files come in upper and lower case, so "*.WL6" also
// offers "*.wl6"; "*.*" means every file, with or without a dot, so it becomes "*".
QStringList patternVariants(const QString& pattern);

// "Wolf3D (*.WL6)|*.WL6|All files (*.*)|*.*||" -> "Wolf3D (*.WL6 *.wl6);;All files (*)".
// A label's own "(...)" ending is replaced by the patterns the dialog really uses, since the
// dialog takes its patterns from the last parenthesis of each entry.
QString toQtFilter(const std::string& programFilter);

// Where a dialog starts: the folder, and the file name it proposes. A pattern such as "*.BMP"
// is no name to propose: the name field then starts empty.
struct DialogStart {
    QString folder;
    QString name;
};
DialogStart dialogStart(const std::string& initialPath);

// The backups that saves leave beside a file (NAME.bak) are not offered for loading.
bool isBackupName(const QString& fileName);

} // namespace zentrik::gui
