#include "music/MusicDocument.h"

#include "io/SafeFile.h"
#include "music/AudioArchiveWriter.h"
#include "music/SongFile.h"

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
    replaced();
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
    m_notesEdited = false;
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
    // The name block after the music goes along; a song too large for a length field has
    // its events run to the chunk's end, so nothing may follow them there.
    Song& song = m_set.songs[size_t(*m_index)];
    if (built.span.offset == kImfLengthFieldBytes) {
        const auto block = nameBlockOf(song.bytes());
        const std::vector<uint8_t> kept(block.begin(), block.end());
        built.bytes.insert(built.bytes.end(), kept.begin(), kept.end());
    }
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (auto st = replaceFile(folder / kRebuiltSongFile, built.bytes); !st) {
        prompter.message(st.error().text, st.error().caption, MessageIcon::Exclamation);
        return false;
    }
    song.buffer = built.bytes;
    song.length = uint32_t(song.buffer.size());
    song.buffer.resize(song.length + kSongPadding, 0);
    m_rebuilt = std::move(built);
    rebuildModel();
    edited();
    return true;
}

bool MusicDocument::importSong(int index, std::span<const uint8_t> file,
                               const std::filesystem::path& name, Prompter& prompter) {
    if (index < 0 || index >= m_set.songCount()) {
        prompter.message("You need to load a song first!", "No music loaded!");
        return false;
    }
    Song& song = m_set.songs[size_t(index)];
    auto chunk = songChunkFromFile(file, song.bytes());
    if (!chunk) {
        prompter.message(chunk.error().text, chunk.error().caption, MessageIcon::Exclamation);
        return false;
    }
    noteTickRate(name, prompter);
    // The loader tells songs from sound effects by their first events; a very short song
    // does not look like one and would be missing from the list after a reload.
    if (!isSongChunk(*chunk, 0, int64_t(chunk->size())))
        prompter.message("This song is so short that it will not be found among the songs when "
                         "the archive is loaded again; the game plays it all the same.",
                         "Import song", MessageIcon::Information);
    stopPlayback();
    song.length = uint32_t(chunk->size());
    song.buffer = std::move(*chunk);
    song.buffer.resize(song.length + kSongPadding, 0);
    m_index.reset(); // so that the same index is selected afresh
    selectSong(index);
    edited();
    return true;
}

bool MusicDocument::saveMusic(Prompter& prompter) {
    if (m_notesEdited) {
        const Answer a =
            prompter.ask("The notes of this song were changed since the last \"Update IMF\".\n"
                         "Apply the changes (Update IMF) before saving?",
                         "Changes unsaved!", Buttons::YesNoCancel, MessageIcon::Question);
        if (a == Answer::Cancel || (a == Answer::Yes && !UpdateIMF(prompter)))
            return false;
    }
    return saveMusicSet(m_set, prompter);
}

std::string MusicDocument::songNameOf(int index) const {
    if (index < 0 || index >= m_set.songCount())
        return {};
    return songName(m_set.songs[size_t(index)].bytes());
}

std::string MusicDocument::songLengthLine() const {
    if (!m_index)
        return {};
    return songLengthText(m_model.songLength, songBytes().size());
}

} // namespace zentrik
