#pragma once

#include "context/AppContext.h"
#include "platform/QtJobRunner.h"
#include "platform/QtPrompter.h"

#include <QMainWindow>
#include <QPoint>
#include <QPointer>

#include <filesystem>
#include <memory>

class QTabWidget;

namespace zentrik::gui {

struct TabEntry;
class AboutBox;
class LoadAllCommand;
class PageFileCommands;
class PlayCommands;
class MainToolbar;
class SaveCommandLights;
class SidePanel;
class TooltipGate;

// The editor's main window. It lives for the whole run, reads the settings, the extensions
// and the palettes when it is built, hosts every editor as a tab beside the pens' side panel
// and writes the settings and extensions.txt back when it closes.
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
    PageFileCommands* pageFileCommands() const { return m_pageFiles; }
    LoadAllCommand* loadAllCommand() const { return m_loadAll; }
    MainToolbar* toolbar() const { return m_toolbar; }
    PlayCommands* playCommands() const { return m_play; }
    SidePanel* sidePanel() const { return m_sidePanel; }
    const SaveCommandLights& saveLights() const { return *m_lights; }
    // The page of that class ("CProp5Textures"), wherever it is nested.
    QWidget* page(const QString& pageClass) const;
    // The about box while it is open.
    AboutBox* aboutBox() const;
    // The map cell of the last jump into the 3D view.
    QPoint goTo3DCell() const { return m_goTo3D; }

    // After a file was chosen for loading: its folder becomes StdPath and the current folder.
    void saveStdPath(const std::filesystem::path& folder) { m_context.saveStdPath(folder); }

    // Asks about unsaved changes; true when the window may close.
    bool confirmClose();
    void showAbout();
    // Stores a pen (kind 0: the map's edit plane, 1 wall, 2 object, 3 floor) and shows it.
    void OnPenChanged(bool left, int kind, quint16 object, quint16 wallOrFloor);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // A game folder (or one of its files) dropped on the window loads as Load All would.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QWidget* buildPage(const TabEntry& entry, QWidget* parent);
    void connectMessages();
    void addShortcuts();
    void updateChangedState();
    void goTo3D(int x, int y);
    void restoreGeometryFromIni();
    void shutDown();

    AppContext& m_context;
    std::unique_ptr<QtPrompter> m_ownPrompter;
    QtJobRunner m_Progress;
    QTabWidget* m_sheet = nullptr;
    MainToolbar* m_toolbar = nullptr;
    PageFileCommands* m_pageFiles = nullptr;
    LoadAllCommand* m_loadAll = nullptr;
    PlayCommands* m_play = nullptr;
    SidePanel* m_sidePanel = nullptr;
    TooltipGate* m_tooltips = nullptr;
    std::unique_ptr<SaveCommandLights> m_lights;
    QPointer<AboutBox> m_about;
    Connection m_saveAllWatch; // title marker and "Save all" follow the workspace
    QPoint m_goTo3D;
    bool m_shownOnce = false;
};

} // namespace zentrik::gui
