#include "window/UnsavedSets.h"

#include "app/Workspace.h"
#include "window/MainToolbar.h"

#include <QAction>
#include <QStringList>
#include <QWidget>

#include <optional>

namespace zentrik::gui {

namespace {

constexpr const char* kLitProperty = "unsavedLight";
constexpr const char* kLitStyle = "background: #ffd24d; color: black; font-weight: bold;";

const char* setName(DataSet set) {
    switch (set) {
    case DataSet::Maps:
        return "Maps";
    case DataSet::Walls:
        return "Walls";
    case DataSet::Sprites:
        return "Sprites";
    case DataSet::Sounds:
        return "Sounds";
    case DataSet::Graphics:
        return "Graphics";
    case DataSet::Fonts:
        return "Fonts";
    case DataSet::Screens:
        return "Screens";
    case DataSet::Tile8s:
        return "Tile 8s";
    case DataSet::Music:
        return "Music";
    }
    return "";
}

std::optional<VgaPart> vgaPartOf(DataSet set) {
    switch (set) {
    case DataSet::Graphics:
        return VgaPart::Graphics;
    case DataSet::Fonts:
        return VgaPart::Fonts;
    case DataSet::Screens:
        return VgaPart::Screens;
    case DataSet::Tile8s:
        return VgaPart::Tile8s;
    default:
        return std::nullopt;
    }
}

} // namespace

QString unsavedSetsText(const Workspace& ws) {
    QStringList parts;
    for (int i = 0; i < kDataSetCount; ++i) {
        const DataSet set = DataSet(i);
        if (!ws.isModified(set))
            continue;
        QString part = QString::fromLatin1(setName(set));
        if (set == DataSet::Maps) {
            const int n = ws.unsavedLevelCount();
            if (n > 0)
                part +=
                    n == 1 ? QStringLiteral(" (1 level)") : QStringLiteral(" (%1 levels)").arg(n);
        }
        parts << part;
    }
    return parts.join(QStringLiteral(", "));
}

std::vector<QAction*> saveCommandsOf(const MainToolbar& toolbar, DataSet set) {
    switch (set) {
    case DataSet::Maps:
        return {toolbar.action(Command::SaveMaps)};
    case DataSet::Walls:
        return {toolbar.action(Command::SaveWalls)};
    case DataSet::Sprites:
        return {toolbar.action(Command::SaveSprites)};
    case DataSet::Sounds:
        return {toolbar.action(Command::SaveSounds)};
    case DataSet::Music:
        return {toolbar.action(Command::SaveMusic)};
    default:
        break;
    }
    std::vector<QAction*> out{toolbar.action(Command::SaveVgaGraph)};
    if (auto part = vgaPartOf(set))
        if (QAction* a = toolbar.vgaAction(true, *part))
            out.push_back(a);
    return out;
}

SaveCommandLights::SaveCommandLights(Workspace& ws, MainToolbar& toolbar)
    : m_ws(ws), m_toolbar(toolbar) {
    m_watch = ws.modifiedChanged.connect([this](DataSet set, bool modified) {
        if (!modified)
            setLit(set, false);
    });
}

void SaveCommandLights::lightUnsaved() {
    for (int i = 0; i < kDataSetCount; ++i)
        setLit(DataSet(i), m_ws.isModified(DataSet(i)));
}

bool SaveCommandLights::isLit(const QAction* action) const {
    return action && action->property(kLitProperty).toBool();
}

void SaveCommandLights::setLit(DataSet set, bool on) {
    for (QAction* a : saveCommandsOf(m_toolbar, set)) {
        if (!a)
            continue;
        // The archive's button stays lit while any of its parts is unsaved.
        bool lit = on;
        if (!on && a == m_toolbar.action(Command::SaveVgaGraph))
            for (DataSet part :
                 {DataSet::Graphics, DataSet::Fonts, DataSet::Screens, DataSet::Tile8s})
                lit = lit || (part != set && isLit(m_toolbar.vgaAction(true, *vgaPartOf(part))));
        a->setProperty(kLitProperty, lit);
        if (QWidget* button = m_toolbar.widgetForAction(a))
            button->setStyleSheet(lit ? QString::fromLatin1(kLitStyle) : QString());
    }
}

} // namespace zentrik::gui
