#pragma once

#include "vga/VgaPart.h"

#include <QToolBar>

#include <array>
#include <functional>

class QMenu;
class QToolButton;

namespace zentrik::gui {

// The main toolbar's commands, in button order.
enum class Command {
    LoadAll,
    SaveAll,
    LoadMaps,
    SaveMaps,
    LoadWalls,
    SaveWalls,
    LoadSprites,
    SaveSprites,
    LoadVgaGraph,
    SaveVgaGraph,
    LoadSounds,
    SaveSounds,
    LoadMusic,
    SaveMusic,
    About,
};
inline constexpr int kCommandCount = int(Command::About) + 1;

// The main toolbar. A command stays disabled until the page that carries it out gives it a
// handler, so commands of pages still to come are visible but cannot be pressed.
class MainToolbar : public QToolBar {
    Q_OBJECT
public:
    explicit MainToolbar(QWidget* parent = nullptr);

    QAction* action(Command c) const { return m_actions[size_t(c)]; }
    QAction* vgaAction(bool save, VgaPart part) const;
    QMenu* vgaMenu(bool save) const { return save ? m_saveMenu : m_loadMenu; }

    // Connects the command and enables it.
    void setHandler(Command c, std::function<void()> handler);
    void setVgaHandler(bool save, VgaPart part, std::function<void()> handler);

private:
    QMenu* buildVgaMenu(bool save);

    std::array<QAction*, kCommandCount> m_actions{};
    std::array<QAction*, 2 * kVgaPartCount> m_vgaActions{};
    QMenu* m_loadMenu = nullptr;
    QMenu* m_saveMenu = nullptr;
};

} // namespace zentrik::gui
