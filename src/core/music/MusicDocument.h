#pragma once

#include "app/ProgramFolders.h"
#include "app/Signal.h"
#include "music/ImfWriter.h"
#include "music/MusicSet.h"
#include "music/SongModel.h"
#include "platform/Clock.h"
#include "platform/Prompter.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>

namespace zentrik {

inline constexpr const char* kRebuiltSongFile = "test.imf";

// The loaded songs, the selected one, the data the player gets and the model the editor
// changes. Every operation that replaces the current song data stops playback first, since
// the player reads that data while it plays.
class MusicDocument {
public:
    MusicDocument() = default;
    MusicDocument(const MusicDocument&) = delete;
    MusicDocument& operator=(const MusicDocument&) = delete;

    void setStopPlayback(std::function<void()> stop) { m_stop = std::move(stop); }
    void setDebugSink(DebugSink sink) { m_debug = std::move(sink); }

    // Loads the songs of AUDIOT and selects song 0. On failure nothing is loaded. A load marks
    // the quiet time, like every file operation.
    bool LoadMusic(const std::filesystem::path& audiot, Prompter& prompter,
                   QuietTime* quiet = nullptr, const Clock* clock = nullptr);
    // The "Load music" command: asks for the file, then loads it. False when cancelled.
    bool loadMusicCommand(Prompter& prompter, QuietTime* quiet = nullptr,
                          const Clock* clock = nullptr);
    static FileDialogRequest loadMusicDialog();
    // Takes an already read set (tests, the load-all job) and selects song 0.
    void setMusic(MusicSet set);

    const MusicSet& musicSet() const { return m_set; }
    bool musicLoaded() const { return m_set.musicLoaded; }
    int songCount() const { return m_set.songCount(); }

    // Stops playback and builds the model of song index; out-of-range indices do nothing.
    void selectSong(int index);
    std::optional<int> songIndex() const { return m_index; }

    // Rebuilds the current song's data from the model (its name block kept), writes it whole
    // to folder/"test.imf" (the per-user cache folder, never the game's) and selects it; the
    // song set takes it, so a save writes it. False (with the file's message) when no song is
    // selected or the file cannot be written; the model and data stay as they were then.
    bool UpdateIMF(Prompter& prompter, const std::filesystem::path& folder = userCacheFolder());

    // Replaces song index by an IMF or WLF file's events (the slot's name block kept) and
    // selects it. Every refusal shows its message and changes nothing.
    bool importSong(int index, std::span<const uint8_t> file, const std::filesystem::path& name,
                    Prompter& prompter);
    // "Save music": the songs written into the archive they came from. Note edits that
    // Update IMF has not taken in are asked about first.
    bool saveMusic(Prompter& prompter);
    // The songs' name ("CORNER"), or empty when the chunk has no name block.
    std::string songNameOf(int index) const;

    // The music page changed notes of the model (they differ from the song data).
    void noteEdited() {
        m_notesEdited = true;
        edited();
    }
    bool notesEdited() const { return m_notesEdited; }

    SongModel& model() { return m_model; }
    const SongModel& model() const { return m_model; }

    // The current song: the whole buffer, and the IMF events the player gets.
    std::span<const uint8_t> songBytes() const;
    std::span<const uint8_t> imfData() const;
    bool rebuilt() const { return m_rebuilt.has_value(); }

    // "Song length: %i:%.2i mins (%i bytes)" of the current song, or empty without one.
    std::string songLengthLine() const;

    // After every change of the current song data and its model (a song selected, a load,
    // a rebuild), so views and note grabs never point into a model that is gone.
    Signal<> songReplaced;
    // The songs differ from their files now (a note edit, a rebuild, an import).
    Signal<> edited;
    // A load (or a failed one, which leaves no songs) replaced the whole set.
    Signal<> replaced;

private:
    void stopPlayback() {
        if (m_stop)
            m_stop();
    }
    void rebuildModel();

    MusicSet m_set;
    std::optional<int> m_index;
    std::optional<BuiltImf> m_rebuilt;
    SongModel m_model;
    std::function<void()> m_stop;
    DebugSink m_debug;
    bool m_notesEdited = false;
};

} // namespace zentrik
