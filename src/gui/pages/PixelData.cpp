#include "pages/PixelData.h"

#include "context/AppContext.h"
#include "platform/QtSoundOut.h"
#include "widgets/PaletteColours.h"

#include <algorithm>
#include <filesystem>

namespace zentrik::gui {

namespace {
constexpr const char* kObjectName = "PixelData";
} // namespace

PixelData& PixelData::of(AppContext& context) {
    if (auto* found = context.messages.findChild<PixelData*>(QLatin1String(kObjectName)))
        return *found;
    auto* data = new PixelData(context);
    data->setParent(&context.messages);
    return *data;
}

PixelData::PixelData(AppContext& context)
    : m_context(context), m_workspace(context.workspace),
      m_soundOut(std::make_unique<QtSoundOut>()) {
    setObjectName(QLatin1String(kObjectName));
    m_changes = m_workspace.changed.connect([this](const Change& change) {
        if (change.set != DataSet::Walls && change.set != DataSet::Sprites &&
            change.set != DataSet::Sounds)
            return;
        if (change.kind == ChangeKind::Loaded)
            emit setReplaced(change.set);
        else
            emit setEdited(change.set);
    });
    // The context marks the colour matches stale before it announces the switch.
    connect(&context.messages, &AppMessages::paletteSwitched, this, &PixelData::paletteSwitched);
}

PixelData::~PixelData() = default;

const GamePalette& PixelData::palette() const {
    return m_context.palettes.current();
}

std::array<QRgb, 256> PixelData::paletteColours() const {
    return gui::paletteColours(palette());
}

Prompter& PixelData::prompter() {
    return m_context.relay;
}

JobRunner& PixelData::jobs() {
    return m_context.jobRelay;
}

int PixelData::spriteCompression() const {
    return m_context.settings.spriteCompression;
}

void PixelData::notify(DataSet set, ChangeKind kind, int index) {
    // A watched picture history says itself whether pixel edits, Insert and Remove are unsaved.
    if (kind == ChangeKind::Loaded || !m_workspace.watchesHistory(set))
        m_workspace.markEdited(set);
    m_workspace.notify({set, kind, index});
}

std::string PixelData::exportProposal(const char* kind, int number, int digits) const {
    std::string digitsText = std::to_string(std::max(0, number));
    if (int(digitsText.size()) < digits)
        digitsText.insert(0, size_t(digits) - digitsText.size(), '0');
    const std::string name = std::string(kind) + "-" + digitsText + ".png";
    return m_exportFolder.empty() ? name : (std::filesystem::path(m_exportFolder) / name).string();
}

void PixelData::rememberExport(const std::string& path) {
    m_exportFolder = std::filesystem::path(path).parent_path().string();
}

} // namespace zentrik::gui
