#include "music/MusicDocument.h"

#include "io/SafeFile.h"

namespace zentrik {

FileDialogRequest MusicDocument::loadMusicDialog() {
    FileDialogRequest r;
    r.title = "Load music...";
    r.filter = "All AUDIOT files (AUDIOT.*)|AUDIOT.*|Wolf3D (*.WL6)|*.WL6|Wolf3D Demo "
               "(*.WL1)|*.WL1|Spear of Destiny (*.SOD)|*.SOD|Operation Zusammenkunft "
               "(*.OZ6)|*.OZ6|All files (*.*)|*.*||";
    r.initialPath = "AUDIOT.*";
    return r;
}

bool MusicDocument::loadMusicCommand(Prompter& prompter, QuietTime* quiet, const Clock* clock) {
    const auto path = prompter.openFile(loadMusicDialog());
    if (!path)
        return false;
    return LoadMusic(*path, prompter, quiet, clock);
}

bool MusicDocument::LoadMusic(const std::filesystem::path& audiot, Prompter& prompter,
                              QuietTime* quiet, const Clock* clock) {
    stopPlayback();
    m_index.reset();
    m_rebuilt.reset();
    m_model = SongModel{};
    MusicSet set;
    const bool ok = zentrik::LoadMusic(set, audiot, prompter);
    setMusic(std::move(set));
    if (ok && quiet && clock)
        quiet->mark(*clock);
    return ok;
}

void MusicDocument::setMusic(MusicSet set) {
    stopPlayback();
    m_set = std::move(set);
    m_index.reset();
    m_rebuilt.reset();
    m_model = SongModel{};
    selectSong(0);
    if (!m_index)
        songReplaced();
}

void MusicDocument::selectSong(int index) {
    if (index < 0 || index >= m_set.songCount())
        return;
    stopPlayback();
    m_index = index;
    m_rebuilt.reset();
    rebuildModel();
}

std::span<const uint8_t> MusicDocument::songBytes() const {
    if (m_rebuilt)
        return m_rebuilt->bytes;
    if (!m_index)
        return {};
    return m_set.songs[size_t(*m_index)].bytes();
}

std::span<const uint8_t> MusicDocument::imfData() const {
    if (m_rebuilt)
        return std::span(m_rebuilt->bytes).subspan(m_rebuilt->span.offset, m_rebuilt->span.length);
    const auto bytes = songBytes();
    const ImfSpan span = imfSpanOf(bytes);
    return bytes.subspan(span.offset, span.length);
}

void MusicDocument::rebuildModel() {
    if (m_rebuilt) {
        m_model = buildSongModel(m_rebuilt->bytes, m_rebuilt->span, m_debug);
    } else {
        const auto bytes = songBytes();
        // The padded buffer, so that the debug offsets count from the chunk's first byte.
        m_model = buildSongModel(bytes, imfSpanOf(bytes), m_debug);
    }
    songReplaced();
}

bool MusicDocument::UpdateIMF(Prompter& prompter, const std::filesystem::path& folder) {
    if (!m_index)
        return false;
    stopPlayback();
    BuiltImf built = buildImf(m_model);
    if (auto st = replaceFile(folder / kRebuiltSongFile, built.bytes); !st) {
        prompter.message(st.error().text, st.error().caption, MessageIcon::Exclamation);
        return false;
    }
    m_rebuilt = std::move(built);
    rebuildModel();
    return true;
}

std::string MusicDocument::songLengthLine() const {
    if (!m_index)
        return {};
    return songLengthText(m_model.songLength, songBytes().size());
}

} // namespace zentrik
