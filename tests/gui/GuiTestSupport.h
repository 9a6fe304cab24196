#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <ostream>

// Readable test failures for Qt's strings (found by GoogleTest through the argument's namespace).
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& l, std::ostream* os) {
    *os << '[' << l.join(QStringLiteral(", ")).toStdString() << ']';
}

namespace zentrik::test {

// Saves a picture of the widget as NAME.png into $ZENTRIK_GUI_SNAPSHOTS, else into the build
// folder's "snapshots", so a developer can look at what the offscreen tests drew.
void saveSnapshot(QWidget& widget, const QString& name);

} // namespace zentrik::test
