#include "pages/PixelData.h"

#include "app/AppContext.h"
#include "platform/QtSoundOut.h"

namespace zentrik::gui {

namespace {
constexpr const char* kObjectName = "PixelData";
} // namespace

// Hands each job to whatever runner the context holds when the job starts: the window plugs
// its progress window in after the context was made.
class PixelData::JobRelay final : public JobRunner {
public:
    explicit JobRelay(AppContext& context) : m_context(context) {}
    int run(const JobWorker& worker) override {
        if (m_context.jobs)
            return m_context.jobs->run(worker);
        InlineJobRunner inline_;
        return inline_.run(worker);
    }

private:
    AppContext& m_context;
};

PixelData& PixelData::of(AppContext& context) {
    if (auto* found = context.messages.findChild<PixelData*>(QLatin1String(kObjectName)))
        return *found;
    auto* data = new PixelData(context);
    data->setParent(&context.messages);
    return *data;
}

PixelData::PixelData(AppContext& context)
    : m_context(context), m_jobs(std::make_unique<JobRelay>(context)) {
    setObjectName(QLatin1String(kObjectName));
    m_files = std::make_unique<PageFiles>(PageFileServices{
        context.relay, *m_jobs, context.quiet, *context.clock,
        [&context](const std::filesystem::path& folder) { context.saveStdPath(folder); }});
    m_colours = std::make_unique<NearestColorTable>(context.palettes.current());
    m_soundOut = std::make_unique<QtSoundOut>();
    connect(&context.messages, &AppMessages::paletteSwitched, this, [this] {
        m_colours->markStale();
        emit paletteSwitched();
    });
}

PixelData::~PixelData() = default;

const GamePalette& PixelData::palette() const {
    return m_context.palettes.current();
}

std::array<QRgb, 256> PixelData::paletteColours() const {
    std::array<QRgb, 256> colours{};
    for (size_t i = 0; i < colours.size(); ++i) {
        const Rgb& c = palette().entries[i];
        colours[i] = qRgb(c.r, c.g, c.b);
    }
    return colours;
}

Prompter& PixelData::prompter() {
    return m_context.relay;
}

JobRunner& PixelData::jobs() {
    return *m_jobs;
}

int PixelData::spriteCompression() const {
    return m_context.settings.spriteCompression;
}

void PixelData::markModified(DataSet set) {
    if (!m_context.changes.isSet(set))
        m_context.changes.set(set, true);
    emit setEdited(set);
}

bool PixelData::modified(DataSet set) const {
    return m_context.changes.isSet(set);
}

} // namespace zentrik::gui
