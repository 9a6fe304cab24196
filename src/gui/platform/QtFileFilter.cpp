#include "platform/QtFileFilter.h"

#include "platform/Prompter.h"

#include <QFileInfo>

namespace zentrik::gui {

QStringList patternVariants(const QString& pattern) {
    if (pattern == QLatin1String("*.*") || pattern == QLatin1String("*"))
        return {QStringLiteral("*")};
    QStringList out;
    for (const QString& v : {pattern, pattern.toUpper(), pattern.toLower()}) {
        if (!out.contains(v))
            out.append(v);
    }
    return out;
}

namespace {

QString labelWithoutPatterns(QString label) {
    label = label.trimmed();
    if (label.endsWith(QLatin1Char(')'))) {
        const qsizetype open = label.lastIndexOf(QLatin1Char('('));
        if (open > 0)
            label = label.left(open).trimmed();
    }
    return label;
}

} // namespace

QString toQtFilter(const std::string& programFilter) {
    QStringList entries;
    for (const FileFilter& f : parseFilterString(programFilter)) {
        QStringList patterns;
        for (const std::string& p : f.patterns) {
            for (const QString& v : patternVariants(QString::fromStdString(p))) {
                if (!patterns.contains(v))
                    patterns.append(v);
            }
        }
        if (patterns.isEmpty())
            patterns.append(QStringLiteral("*"));
        QString label = labelWithoutPatterns(QString::fromStdString(f.label));
        if (label.isEmpty())
            label = QStringLiteral("Files");
        entries.append(label + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')'));
    }
    return entries.join(QStringLiteral(";;"));
}

DialogStart dialogStart(const std::string& initialPath) {
    const QString path = QString::fromStdString(initialPath);
    if (path.isEmpty())
        return {};
    const QFileInfo info(path);
    if (info.isDir())
        return {path, {}};
    const QString name = info.fileName();
    const bool pattern = name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
    const QString folder = path.contains(QLatin1Char('/')) ? info.path() : QString();
    return {folder, pattern ? QString() : name};
}

bool isBackupName(const QString& fileName) {
    return fileName.endsWith(QLatin1String(".bak"), Qt::CaseInsensitive);
}

} // namespace zentrik::gui
