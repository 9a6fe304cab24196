#pragma once

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

    // Rebuilds the current song's data from the model, writes it whole to folder/"test.imf"
    // and selects it. False (with the file's message) when no song is selected or the file
    // cannot be written; the model and data stay as they were then.
    bool UpdateIMF(Prompter& prompter,
                   const std::filesystem::path& folder = std::filesystem::current_path());

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
};

} // namespace zentrik
