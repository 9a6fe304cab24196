// The music page's file commands: rendering the song to a WAV file, exporting its IMF data
// and importing a song file into the selected slot.
#include "music/CPPMusic.h"

#include "io/SafeFile.h"
#include "music/OfflineRender.h"

namespace zentrik::gui {

namespace {

constexpr const char* kWaveFilter = "WAV files (*.wav)|*.wav|All files (*.*)|*.*||";
constexpr const char* kImfFilter =
    "IMF files (*.imf)|*.imf|WLF files (*.wlf)|*.wlf|All files (*.*)|*.*||";
constexpr const char* kSongFilter = "Songs (*.imf *.wlf)|*.imf;*.wlf|IMF files (*.imf)|*.imf|WLF "
                                    "files (*.wlf)|*.wlf|All files (*.*)|*.*||";

bool needSong(const MusicDocument& doc, Prompter& prompter) {
    if (doc.songIndex())
        return true;
    prompter.message("You need to load a song first!", "No music loaded!");
    return false;
}

bool writeFile(const std::string& path, std::span<const uint8_t> bytes, Prompter& prompter) {
    if (auto st = replaceFile(path, bytes); !st) {
        prompter.message(st.error().text, st.error().caption, MessageIcon::Exclamation);
        return false;
    }
    return true;
}

std::string defaultName(const MusicDocument& doc, const char* ext) {
    return "song" + std::to_string(doc.songIndex().value_or(0) + 1) + ext;
}

} // namespace

void CPPMusic::renderWav() {
    if (!needSong(m_doc, m_prompter))
        return;
    bindPlayer();
    if (!m_renderer) {
        m_prompter.message("Rendering needs libimflib.so with its offline renderer.",
                           "Render to WAV", MessageIcon::Exclamation);
        return;
    }
    const auto path =
        m_prompter.saveFile({"Render to WAV...", kWaveFilter, "wav", defaultName(m_doc, ".wav")});
    if (!path)
        return;
    // What is heard is what is rendered: the solo and mute states go along.
    RenderRequest request;
    request.ticks = m_doc.model().songLength;
    for (int c = 0; c < kOplChannels; ++c)
        if (m_page->muted(c))
            request.muted.push_back(c);
    const auto imf = m_doc.imfData();
    const std::vector<uint8_t> data(imf.begin(), imf.end()); // the worker's own copy
    std::vector<uint8_t> wave;
    InlineJobRunner inline_;
    JobRunner& jobs = m_jobs ? *m_jobs : inline_;
    const ImfLibFunctions& lib = *m_renderer;
    const int result = jobs.run([&](Progress& progress) {
        progress.setPhase("Rendering song...");
        auto samples = renderImf(lib, data, request, &progress);
        if (!samples)
            return JobResult::Failed;
        wave = waveFile16(*samples, request.rate);
        return JobResult::Done;
    });
    // A cancelled render writes nothing.
    if (result == JobResult::Done)
        writeFile(*path, wave, m_prompter);
}

void CPPMusic::exportImf() {
    if (!needSong(m_doc, m_prompter))
        return;
    const auto path =
        m_prompter.saveFile({"Export song...", kImfFilter, "imf", defaultName(m_doc, ".imf")});
    if (path)
        writeFile(*path, m_doc.songBytes(), m_prompter);
}

void CPPMusic::importSong() {
    if (!needSong(m_doc, m_prompter))
        return;
    if (m_page->unappliedEdits() &&
        m_prompter.ask("The notes of this song were changed since the last \"Update IMF\".\n"
                       "Replace the song anyway?",
                       "Changes unsaved!", Buttons::YesNo, MessageIcon::Question) != Answer::Yes)
        return;
    const auto path = m_prompter.openFile({"Import song...", kSongFilter, "imf", ""});
    if (!path)
        return;
    auto bytes = readWholeFile(*path);
    if (!bytes) {
        m_prompter.message(bytes.error().text, bytes.error().caption, MessageIcon::Exclamation);
        return;
    }
    m_doc.importSong(*m_doc.songIndex(), *bytes, *path, m_prompter);
    showPlayState();
}

} // namespace zentrik::gui
