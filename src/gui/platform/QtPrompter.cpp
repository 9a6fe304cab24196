#include "platform/QtPrompter.h"

#include "platform/QtFileFilter.h"
#include "platform/ScriptedPrompter.h" // negativeAnswerFor

#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QThread>

namespace zentrik::gui {

namespace {

// Widgets live on the user-interface thread only; a worker's question waits there.
template <typename Fn> auto onGuiThread(Fn fn) -> decltype(fn()) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread())
        return fn();
    decltype(fn()) result{};
    QMetaObject::invokeMethod(
        app, [&] { result = fn(); }, Qt::BlockingQueuedConnection);
    return result;
}

QMessageBox::Icon toQtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::None:
        return QMessageBox::NoIcon;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

struct ButtonSet {
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton escape; // what closing the box answers
};

ButtonSet toQtButtons(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok:
        return {QMessageBox::Ok, QMessageBox::Ok};
    case Buttons::OkCancel:
        return {QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel};
    case Buttons::YesNo:
        return {QMessageBox::Yes | QMessageBox::No, QMessageBox::No};
    case Buttons::YesNoCancel:
        return {QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel};
    case Buttons::RetryCancel:
        return {QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::Cancel};
    }
    return {QMessageBox::Ok, QMessageBox::Ok};
}

class WithoutBackups : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        const auto* files = qobject_cast<QFileSystemModel*>(sourceModel());
        if (!files)
            return true;
        const QModelIndex index = files->index(row, 0, parent);
        return files->isDir(index) || !isBackupName(files->fileName(index));
    }
};

Answer fromQtButton(int button, Buttons buttons) {
    switch (button) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Retry:
        return Answer::Retry;
    default:
        return negativeAnswerFor(buttons);
    }
}

} // namespace

QtPrompter::QtPrompter(QWidget* parent, QuietTime* quiet, const Clock* clock)
    : m_parent(parent), m_quiet(quiet), m_clock(clock) {}

QWidget* QtPrompter::dialogParent() const {
    // Above the progress window while a job runs, else above the main window.
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return m_parent.data();
}

void QtPrompter::markQuiet() {
    if (m_quiet && m_clock)
        m_quiet->mark(*m_clock);
}

void QtPrompter::message(const std::string& text, const std::string& caption, MessageIcon icon) {
    onGuiThread([&] {
        QMessageBox box(toQtIcon(icon), QString::fromStdString(caption),
                        QString::fromStdString(text), QMessageBox::Ok, dialogParent());
        box.exec();
        return 0;
    });
}

Answer QtPrompter::ask(const std::string& text, const std::string& caption, Buttons buttons,
                       MessageIcon icon) {
    return onGuiThread([&] {
        const ButtonSet set = toQtButtons(buttons);
        QMessageBox box(toQtIcon(icon), QString::fromStdString(caption),
                        QString::fromStdString(text), set.buttons, dialogParent());
        box.setEscapeButton(set.escape);
        return fromQtButton(box.exec(), buttons);
    });
}

std::optional<std::string> QtPrompter::fileDialog(const FileDialogRequest& request, bool save) {
    auto chosen = onGuiThread([&]() -> std::optional<std::string> {
        QString title = QString::fromStdString(request.title);
        if (title.isEmpty())
            title = save ? QStringLiteral("Save As") : QStringLiteral("Open");
        const DialogStart start = dialogStart(request.initialPath);
        QFileDialog dlg(dialogParent(), title, start.folder, toQtFilter(request.filter));
        if (!start.name.isEmpty())
            dlg.selectFile(start.name);
        if (!save) {
            // Our own dialog, so that the backups beside the game files can be left out.
            dlg.setOption(QFileDialog::DontUseNativeDialog);
            dlg.setProxyModel(new WithoutBackups(&dlg));
        }
        dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        if (!request.defaultExt.empty())
            dlg.setDefaultSuffix(QString::fromStdString(request.defaultExt));
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
            return std::nullopt;
        return dlg.selectedFiles().constFirst().toStdString();
    });
    markQuiet();
    return chosen;
}

std::optional<int> QtPrompter::choose(const std::string& text, const std::string& caption,
                                      const std::vector<std::string>& buttons, int preferred,
                                      MessageIcon icon) {
    return onGuiThread([&]() -> std::optional<int> {
        QMessageBox box(toQtIcon(icon), QString::fromStdString(caption),
                        QString::fromStdString(text), QMessageBox::NoButton, dialogParent());
        std::vector<QAbstractButton*> added;
        for (const std::string& b : buttons)
            added.push_back(box.addButton(QString::fromStdString(b), QMessageBox::AcceptRole));
        QAbstractButton* cancel = box.addButton(QMessageBox::Cancel);
        box.setEscapeButton(cancel);
        if (preferred >= 0 && preferred < int(added.size()))
            box.setDefaultButton(qobject_cast<QPushButton*>(added[size_t(preferred)]));
        box.exec();
        for (size_t i = 0; i < added.size(); ++i)
            if (box.clickedButton() == added[i])
                return int(i);
        return std::nullopt;
    });
}

std::optional<std::string> QtPrompter::openFile(const FileDialogRequest& request) {
    return fileDialog(request, false);
}

std::optional<std::string> QtPrompter::saveFile(const FileDialogRequest& request) {
    return fileDialog(request, true);
}

std::optional<std::string> QtPrompter::chooseFolder(const std::string& title,
                                                    const std::string& initialPath) {
    auto chosen = onGuiThread([&]() -> std::optional<std::string> {
        const QString dir = QFileDialog::getExistingDirectory(
            dialogParent(),
            title.empty() ? QStringLiteral("Select Folder") : QString::fromStdString(title),
            QString::fromStdString(initialPath));
        if (dir.isEmpty())
            return std::nullopt;
        return dir.toStdString();
    });
    markQuiet();
    return chosen;
}

} // namespace zentrik::gui
