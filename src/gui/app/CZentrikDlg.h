#pragma once

#include "app/AppContext.h"
#include "platform/QtJobRunner.h"
#include "platform/QtPrompter.h"

#include <QMainWindow>

#include <filesystem>
#include <memory>

class QTabWidget;

namespace zentrik::gui {

struct TabEntry;

// The editor's main window. It lives for the whole run, reads the settings when it is built,
// hosts every editor as a tab and writes the settings back when it closes.
class CZentrikDlg : public QMainWindow {
    Q_OBJECT
public:
    // Uses the context's Prompter and job runner when set (tests script them), else its own
    // message boxes and progress window.
    explicit CZentrikDlg(AppContext& context, QWidget* parent = nullptr);
    ~CZentrikDlg() override;

    static QString caption();

    AppContext& context() { return m_context; }
    QTabWidget* tabs() const { return m_sheet; }
    // The page of that class ("CProp5Textures"), wherever it is nested.
    QWidget* page(const QString& pageClass) const;

    // After a file was chosen for loading: its folder becomes StdPath and the current folder.
    void saveStdPath(const std::filesystem::path& folder) { m_context.saveStdPath(folder); }

    // Asks about unsaved changes; true when the window may close.
    bool confirmClose();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildPage(const TabEntry& entry, QWidget* parent);
    void shutDown();

    AppContext& m_context;
    std::unique_ptr<QtPrompter> m_ownPrompter;
    QtJobRunner m_Progress;
    QTabWidget* m_sheet = nullptr;
};

} // namespace zentrik::gui
