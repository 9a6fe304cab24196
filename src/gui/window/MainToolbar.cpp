#include "window/MainToolbar.h"

#include <QKeySequence>
#include <QMenu>
#include <QToolButton>

namespace zentrik::gui {

namespace {

struct CommandInfo {
    const char* name; // object name of the action, for tests and style sheets
    const char* text;
    const char* tooltip;
    QKeySequence shortcut;
};

const CommandInfo& info(Command c) {
    static const CommandInfo table[kCommandCount] = {
        {"LoadAll", "Load All", "Load All", QKeySequence(QStringLiteral("Ctrl+Shift+O"))},
        {"SaveAll", "Save all", "Save all changes (only when Load All was used)",
         QKeySequence(QStringLiteral("Ctrl+Shift+S"))},
        {"LoadMaps", "Load Maps", "Load Maps", QKeySequence(QStringLiteral("Ctrl+O"))},
        {"SaveMaps", "Save Maps", "Save Maps", QKeySequence(QStringLiteral("Ctrl+S"))},
        {"LoadWalls", "Load Walls", "Load Walls", QKeySequence(QStringLiteral("Ctrl+W"))},
        {"SaveWalls", "Save Walls", "Save Walls", QKeySequence()},
        {"LoadSprites", "Load Sprites", "Load Sprites", QKeySequence(QStringLiteral("Ctrl+P"))},
        {"SaveSprites", "Save Sprites", "Save Sprites", QKeySequence()},
        {"LoadVgaGraph", "Load VGA", "Load VGAGRAPH parts", QKeySequence()},
        {"SaveVgaGraph", "Save VGA", "Save VGAGRAPH parts", QKeySequence()},
        {"LoadSounds", "Load Sounds", "Load Sounds", QKeySequence()},
        {"SaveSounds", "Save sounds", "Save sounds", QKeySequence()},
        {"LoadMusic", "Load music", "Load music", QKeySequence()},
        {"SaveMusic", "Save music", "Save music", QKeySequence()},
        {"About", "About", "Show infos about Zentrik!", QKeySequence(QKeySequence::HelpContents)},
    };
    return table[int(c)];
}

const char* const kVgaLoadTexts[kVgaPartCount] = {"Load all", "Load graphics", "Load fonts",
                                                  "Load screens", "Load tile8s"};
const char* const kVgaSaveTexts[kVgaPartCount] = {"Save all", "Save graphics", "Save fonts",
                                                  "Save screens", "Save tile8s"};

} // namespace

MainToolbar::MainToolbar(QWidget* parent) : QToolBar(QStringLiteral("Main toolbar"), parent) {
    setObjectName(QStringLiteral("MainToolbar"));
    setMovable(false);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (int i = 0; i < kCommandCount; ++i) {
        const Command c = Command(i);
        const CommandInfo& ci = info(c);
        auto* a = new QAction(QString::fromLatin1(ci.text), this);
        a->setObjectName(QString::fromLatin1(ci.name));
        a->setToolTip(QString::fromLatin1(ci.tooltip));
        a->setShortcut(ci.shortcut);
        a->setEnabled(false);
        m_actions[size_t(i)] = a;
        if (c == Command::LoadVgaGraph || c == Command::SaveVgaGraph) {
            const bool save = c == Command::SaveVgaGraph;
            a->setMenu(buildVgaMenu(save));
            addAction(a);
            if (auto* button = qobject_cast<QToolButton*>(widgetForAction(a)))
                button->setPopupMode(QToolButton::InstantPopup);
        } else {
            addAction(a);
        }
        // The load/save pairs are grouped the way the user reads them.
        if (c == Command::SaveAll || c == Command::SaveMusic)
            addSeparator();
    }
    setHandler(Command::About, nullptr); // connected by the window; enabled from the start
}

QMenu* MainToolbar::buildVgaMenu(bool save) {
    auto* menu = new QMenu(this);
    menu->setObjectName(save ? QStringLiteral("SaveVgaMenu") : QStringLiteral("LoadVgaMenu"));
    for (int p = 0; p < kVgaPartCount; ++p) {
        auto* a = menu->addAction(QString::fromLatin1(save ? kVgaSaveTexts[p] : kVgaLoadTexts[p]));
        a->setEnabled(false);
        m_vgaActions[size_t((save ? kVgaPartCount : 0) + p)] = a;
    }
    (save ? m_saveMenu : m_loadMenu) = menu;
    return menu;
}

QAction* MainToolbar::vgaAction(bool save, VgaPart part) const {
    return m_vgaActions[size_t((save ? kVgaPartCount : 0) + int(part))];
}

void MainToolbar::setHandler(Command c, std::function<void()> handler) {
    QAction* a = action(c);
    if (handler)
        connect(a, &QAction::triggered, this, [h = std::move(handler)] { h(); });
    a->setEnabled(true);
}

void MainToolbar::setVgaHandler(bool save, VgaPart part, std::function<void()> handler) {
    QAction* a = vgaAction(save, part);
    if (handler)
        connect(a, &QAction::triggered, this, [h = std::move(handler)] { h(); });
    a->setEnabled(true);
    action(save ? Command::SaveVgaGraph : Command::LoadVgaGraph)->setEnabled(true);
}

} // namespace zentrik::gui
