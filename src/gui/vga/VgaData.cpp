#include "vga/VgaData.h"

#include "app/AppContext.h"
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
    // Pages that edit through the shared pixel-page code raise only the window's flag.
    connect(&m_pixels, &PixelData::setEdited, this, [this](DataSet set) {
        if (bool* flag = modelFlag(m_state, set))
            *flag = true;
        emit loadStateChanged();
    });
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
    const bool* flag = modelFlag(const_cast<VgaGraphState&>(m_state), set);
    return m_context.changes.isSet(set) || (flag && *flag);
}

void VgaData::markModified(DataSet set) {
    m_pixels.markModified(set); // raises the model's flag through setEdited
}

void VgaData::syncFlag(DataSet set) {
    if (bool* flag = modelFlag(m_state, set))
        m_context.changes.set(set, *flag);
    emit loadStateChanged();
}

void VgaData::announceReplaced(DataSet set) {
    if (bool* flag = modelFlag(m_state, set))
        *flag = false;
    m_context.changes.set(set, false);
    m_pixels.announceReplaced(set);
    emit loadStateChanged();
}

} // namespace zentrik::gui
