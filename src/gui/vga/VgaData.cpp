#include "vga/VgaData.h"

#include "context/AppContext.h"
#include "pages/PixelData.h"

namespace zentrik::gui {

namespace {
constexpr const char* kObjectName = "VgaData";
} // namespace

VgaData& VgaData::of(AppContext& context) {
    if (auto* found = context.messages.findChild<VgaData*>(QLatin1String(kObjectName)))
        return *found;
    auto* data = new VgaData(context);
    data->setParent(&context.messages);
    return *data;
}

VgaData::VgaData(AppContext& context) : m_context(context), m_pixels(PixelData::of(context)) {
    setObjectName(QLatin1String(kObjectName));
    m_changes = context.workspace.changed.connect([this](const Change& change) {
        if (!isVgaSet(change.set))
            return;
        if (change.kind == ChangeKind::Loaded) {
            emit m_pixels.setReplaced(change.set);
        } else {
            // The devices raise the model's flag on every pixel, undo included; the workspace
            // knows whether the set still differs from its last save.
            *modelFlag(state(), change.set) = m_context.workspace.isModified(change.set);
            emit m_pixels.setEdited(change.set);
        }
        emit loadStateChanged();
    });
}

VgaData::~VgaData() {
    m_changes.disconnect();
}

VgaGraphState& VgaData::state() {
    return m_context.workspace.graphics();
}

bool VgaData::isVgaSet(DataSet set) {
    return set == DataSet::Graphics || set == DataSet::Fonts || set == DataSet::Screens ||
           set == DataSet::Tile8s;
}

bool* VgaData::modelFlag(VgaGraphState& state, DataSet set) {
    switch (set) {
    case DataSet::Graphics:
        return &state.graphics.changed;
    case DataSet::Fonts:
        return &state.fonts.changed;
    case DataSet::Screens:
        return &state.screens.changed;
    case DataSet::Tile8s:
        return &state.tile8s.changed;
    default:
        return nullptr;
    }
}

bool* VgaData::loadedFlag(VgaGraphState& state, DataSet set) {
    switch (set) {
    case DataSet::Graphics:
        return &state.graphics.loaded;
    case DataSet::Fonts:
        return &state.fonts.loaded;
    case DataSet::Screens:
        return &state.screens.loaded;
    case DataSet::Tile8s:
        return &state.tile8s.loaded;
    default:
        return nullptr;
    }
}

bool VgaData::modified(DataSet set) const {
    const bool* flag = modelFlag(m_context.workspace.graphics(), set);
    return m_context.workspace.isModified(set) || (flag && *flag);
}

void VgaData::markModified(DataSet set) {
    m_context.workspace.markEdited(set);
    m_pixels.notify(set, ChangeKind::Edited, -1); // raises the model's flag through `changed`
}

void VgaData::historyMoved(DataSet set) {
    m_pixels.notify(set, ChangeKind::Edited, -1);
}

void VgaData::syncFlag(DataSet set) {
    if (bool* flag = modelFlag(state(), set); flag && !*flag)
        m_context.workspace.markSaved(set);
    emit loadStateChanged();
}

void VgaData::announceReplaced(DataSet set) {
    if (bool* flag = modelFlag(state(), set))
        *flag = false;
    m_context.workspace.setReplaced(set);
}

} // namespace zentrik::gui
