// The map page's commands: the map files, the single-level file, the clipboard, the whole-map
// commands and undo.
#include "app/ExtensionTable.h"
#include "context/AppContext.h"
#include "io/SafeFile.h"
#include "mapedit/CPropMapEdit.h"
#include "maps/MapFile.h"
#include "platform/QtClipboard.h"

#include <QAction>

#include <optional>

namespace zentrik::gui {

namespace {

constexpr const char* kLoadMapsFilter =
    "All GAMEMAPS/MAPTEMP files|GAMEMAPS.*;MAPTEMP.*|All GAMEMAPS files (GAMEMAPS.*)|GAMEMAPS.*|"
    "All MAPTEMP files (MAPTEMP.*)|MAPTEMP.*|Wolf3D (*.WL6)|*.WL6|Wolf3D Demo (*.WL1)|*.WL1|"
    "Spear of Destiny (*.SOD)|*.SOD|Operation Zusammenkunft (*.OZ6)|*.OZ6|All files (*.*)|*.*||";
constexpr const char* kLoadMapsInitialName = "GAMEMAPS.*;MAPTEMP.*";

} // namespace

void CPropMapEdit::loadSymbolSetForSuffix(const std::string& suffix) {
    m_context.selectExtensionByName(suffix);
}

bool CPropMapEdit::loadMaps() {
    // A load replaces every level: unsaved work is never dropped without asking.
    if (!m_ws.confirmLoadOver(DataSet::Maps))
        return false;
    const auto path =
        m_prompter.openFile({"Load maps...", kLoadMapsFilter, "", kLoadMapsInitialName});
    if (!path) {
        m_context.quiet.mark(*m_context.clock);
        return false;
    }
    const std::filesystem::path chosen(*path);
    m_context.saveStdPath(chosen.parent_path());
    tools().setPenMode(tools().penMode() == PenMode::Paste ? PenMode::RectSelect
                                                           : tools().penMode());
    if (!m_ws.loadMaps(MapFileName::split(chosen), {}, Confirm::AlreadyAsked))
        return false;
    tools().clearSelection();
    if (!m_ws.levels().thirdPlane)
        setThirdPlaneEditing(false);
    showLevel();
    return true;
}

bool CPropMapEdit::saveMaps() {
    if (m_ws.levels().empty())
        return false;
    std::string initial = m_ws.source(DataSet::Maps).string();
    if (initial.empty())
        initial = "GAMEMAPS." + m_context.settings.lastExtension;
    const auto path = m_prompter.saveFile({"Save maps...", kLoadMapsFilter, "", initial});
    if (!path) {
        m_context.quiet.mark(*m_context.clock);
        return false;
    }
    const bool ok = m_ws.saveMaps(*path);
    refresh();
    return ok;
}

bool CPropMapEdit::exportMap() {
    const Level* level = m_ws.levels().current();
    if (!level)
        return false;
    const auto path = m_prompter.saveFile({"", kLevelMapFilter, "MAP", level->header.nameText()});
    bool ok = false;
    if (path) {
        const LevelSet& set = m_ws.levels();
        const int result = m_jobs.run([&](Progress& progress) {
            progress.setPhase("Exporting map...");
            progress.setCounter("1/1");
            ok = zentrik::exportMap(set, *path, m_prompter);
            progress.setPosition(ok ? 101 : 0);
            return ok ? JobResult::Done : JobResult::FailedUntouched;
        });
        ok = ok && result == JobResult::Done;
    }
    m_context.quiet.mark(*m_context.clock);
    return ok;
}

bool CPropMapEdit::importMap() {
    if (!m_ws.levels().current())
        return false;
    const auto path = m_prompter.openFile({"", kLevelMapFilter, "MAP", "*.MAP"});
    const bool ok = path && importMapFile(*path);
    m_context.quiet.mark(*m_context.clock);
    return ok;
}

bool CPropMapEdit::importMapFile(const std::string& path) {
    // The worker only reads and checks the file; the level is touched on this thread alone,
    // after the job, so the map view never draws a half-written level.
    std::optional<MapFileContent> content;
    Error refusal;
    const int result = m_jobs.run([&](Progress& progress) {
        progress.setPhase("Importing map...");
        progress.setCounter("1/1");
        auto decoded = readMapFile(path);
        if (!decoded) {
            refusal = decoded.error();
            return JobResult::FailedUntouched;
        }
        if (progress.cancelled())
            return JobResult::FailedUntouched;
        content = std::move(*decoded);
        progress.setPosition(101);
        return JobResult::Done;
    });
    if (result != JobResult::Done || !content) {
        if (!refusal.text.empty())
            m_prompter.message(refusal.text, refusal.caption, MessageIcon::Exclamation);
        return false;
    }
    return applyImportedMap(std::move(*content));
}

bool CPropMapEdit::applyImportedMap(MapFileContent&& content) {
    LevelSet& set = m_ws.levels();
    if (!set.current())
        return false;
    const auto enable = askThirdPlaneFor(content, set, m_prompter);
    if (!enable)
        return false;
    // One undo step covers the level and turning the third plane on.
    m_ws.editLevels([&] { applyMapFile(m_ws.levelEditor(), std::move(content), *enable); });
    showLevel();
    return true;
}

void CPropMapEdit::copy() {
    if (auto block = m_commands.copy(tools().selection()))
        putMapClip(encodeMapClip(*block));
    updateClipboardActions();
}

void CPropMapEdit::cut() {
    m_ws.beginLevelEdit();
    auto block = m_commands.cut(tools().selection());
    m_ws.endLevelEdit();
    if (block)
        putMapClip(encodeMapClip(*block));
    refresh();
}

bool CPropMapEdit::paste() {
    QAction* pasteAction = action("paste");
    pasteAction->setChecked(false);
    const auto bytes = takeMapClip();
    if (!bytes || m_ws.levels().empty())
        return false;
    auto block = decodeMapClip(*bytes);
    if (!block)
        return false; // a damaged block from elsewhere is simply not pasted
    m_pasteBuffer = std::move(*block);
    if (!tools().beginPaste(m_pasteBuffer))
        return false;
    pasteAction->setChecked(true);
    return true;
}

void CPropMapEdit::editLevel(const std::function<void()>& command) {
    // One undo step for the whole command, then the views catch up.
    m_ws.editLevel(command);
    refresh();
}

void CPropMapEdit::clearMap() {
    editLevel([this] { m_commands.clearMap(); });
}

void CPropMapEdit::initMap() {
    editLevel([this] { m_commands.initMap(tools().left.floor, tools().left.wall); });
}

void CPropMapEdit::makeWallTestMap() {
    editLevel([this] { m_commands.makeWallTestMap(); });
}

void CPropMapEdit::makeObjectTestMap() {
    editLevel([this] { m_commands.makeObjectTestMap(); });
}

void CPropMapEdit::strokeBegin() {
    m_ws.beginLevelEdit();
    m_stroking = true;
}

void CPropMapEdit::strokeEnd() {
    if (!m_stroking)
        return;
    m_stroking = false;
    m_ws.endLevelEdit();
    refresh();
}

void CPropMapEdit::doUndo() {
    m_ws.undo(DataSet::Maps);
}

void CPropMapEdit::doRedo() {
    m_ws.redo(DataSet::Maps);
}

} // namespace zentrik::gui
