#pragma once

#include "app/UndoHistory.h"
#include "music/ImfPlayerBinding.h"
#include "music/MusicDocument.h"
#include "platform/Prompter.h"

#include <array>
#include <atomic>
#include <filesystem>
#include <optional>
#include <string>

namespace zentrik {

// How a scroll bar was moved.
enum class ScrollMove { LineUp, LineDown, PageUp, PageDown, Thumb };

// The music page without its widgets: song and channel selection, play, pause and stop, the
// jukebox, solo and mute. The song's end arrives from the player's thread; the GUI hands it to
// songEnded() on its own thread.
class MusicPage {
public:
    static constexpr int kFirstChannel = 1;
    static constexpr int kLastChannel = 8;
    static constexpr int kPageStep = 2;

    MusicPage(MusicDocument& doc, MusicPlayer& player, Prompter& prompter);
    // The document outlives the page: it must not call a stop that is gone.
    ~MusicPage() { m_doc.setStopPlayback(nullptr); }
    MusicPage(const MusicPage&) = delete;
    MusicPage& operator=(const MusicPage&) = delete;

    // Play: the messages when there is no player or no song; else the song from its start.
    bool play();
    void pause() { m_player.pause(); }
    void stop();
    // A click on an empty spot of the editor.
    void playFrom(uint32_t tick);
    bool playing() const { return m_playing; }

    // Every start and stop of playback gets a new number. The player's end report is taken on
    // its own thread together with the number current then, and handed over later: an end
    // that belongs to an earlier start (stopped, replaced or restarted since) is ignored.
    uint64_t currentStart() const { return m_start.load(); }
    // The player reported the song's end: the next song in jukebox mode (not while the notes
    // have edits that Update IMF has not taken in), then play again, so without jukebox the
    // song repeats. A song without a single delay stops instead of repeating at once forever.
    void songEnded(uint64_t start);
    void songEnded() { songEnded(currentStart()); }
    bool jukebox = false;

    // Selecting another song away from unapplied note edits asks first: Yes applies them
    // (Update IMF into folder), No drops them, Cancel stays. True when the song changed.
    bool selectSong(int index, const std::filesystem::path& folder);
    bool updateImf(const std::filesystem::path& folder);

    // Note edits of the current model, undoable until the model is replaced. The history's
    // clean mark is the model as built from the current song data.
    void recordNoteEdit(int channel, std::vector<NoteEvent> before);
    bool unappliedEdits() const { return !m_edits.isClean(); }
    UndoHistory& edits() { return m_edits; }

    // The song scroll bar; true when the song changed (which selects it and stops playback).
    bool scrollSong(ScrollMove move, int thumb = 0,
                    const std::filesystem::path& folder = std::filesystem::current_path());
    std::string songCounterText() const; // "%u/%u"
    std::string chunkText() const;       // "Chunk %u"
    void songsLoaded();                  // after a load: song 0, playback off

    // The channel scroll bar (channels 1 .. 8).
    bool scrollChannel(ScrollMove move, int thumb = 0);
    int channel() const { return m_channel; }
    std::string channelText() const; // "%u/9"
    bool soloBox() const { return m_solo == m_channel; }
    bool muteBox() const { return m_muteBox; }

    void setSolo(bool on);
    void setMute(bool on);
    bool muted(int oplChannel) const { return m_muted.at(size_t(oplChannel)); }
    std::optional<int> soloChannel() const { return m_solo; }

private:
    void newStart() { ++m_start; }
    static int stepped(int value, ScrollMove move, int thumb, int lo, int hi);

    MusicDocument& m_doc;
    MusicPlayer& m_player;
    Prompter& m_prompter;
    bool m_playing = false;
    int m_channel = kFirstChannel;
    std::array<bool, kOplChannels> m_muted{};
    std::optional<int> m_solo;
    bool m_muteBox = false;
    std::atomic<uint64_t> m_start{0};
    UndoHistory m_edits;
    Connection m_replaced;
};

} // namespace zentrik
