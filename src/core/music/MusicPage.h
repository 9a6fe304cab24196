#pragma once

#include "music/ImfPlayerBinding.h"
#include "music/MusicDocument.h"
#include "platform/Prompter.h"

#include <array>
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

    // Play: the messages when there is no player or no song; else the song from its start.
    bool play();
    void pause() { m_player.pause(); }
    void stop();
    // A click on an empty spot of the editor.
    void playFrom(uint32_t tick);
    bool playing() const { return m_playing; }

    // The player reported the song's end: the next song in jukebox mode, then play again (so
    // without jukebox the song repeats).
    void songEnded();
    bool jukebox = false;

    // The song scroll bar; true when the song changed (which selects it and stops playback).
    bool scrollSong(ScrollMove move, int thumb = 0);
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
    static int stepped(int value, ScrollMove move, int thumb, int lo, int hi);

    MusicDocument& m_doc;
    MusicPlayer& m_player;
    Prompter& m_prompter;
    bool m_playing = false;
    int m_channel = kFirstChannel;
    std::array<bool, kOplChannels> m_muted{};
    std::optional<int> m_solo;
    bool m_muteBox = false;
};

} // namespace zentrik
