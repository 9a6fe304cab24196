#include "music/MusicPage.h"

#include <algorithm>
#include <cstdio>

namespace zentrik {

MusicPage::MusicPage(MusicDocument& doc, MusicPlayer& player, Prompter& prompter)
    : m_doc(doc), m_player(player), m_prompter(prompter) {
    m_doc.setStopPlayback([this] { stop(); });
}

bool MusicPage::play() {
    if (!m_player.ready()) {
        m_prompter.message("IMFLib not loaded!", "No music driver found!",
                           MessageIcon::Exclamation);
        return false;
    }
    if (!m_doc.musicLoaded() || !m_doc.songIndex()) {
        m_prompter.message("You need to load a song first!", "No music loaded!");
        return false;
    }
    m_player.start(m_doc.imfData());
    m_playing = true;
    return true;
}

void MusicPage::stop() {
    m_player.stop();
    m_playing = false;
}

void MusicPage::playFrom(uint32_t tick) {
    if (!m_player.ready() || !m_doc.songIndex())
        return;
    m_player.playAt(m_doc.imfData(), int32_t(tick));
    m_playing = true;
}

void MusicPage::songEnded() {
    if (!m_player.ready())
        return;
    if (jukebox && m_doc.songCount() > 0)
        m_doc.selectSong((m_doc.songIndex().value_or(0) + 1) % m_doc.songCount());
    play();
}

int MusicPage::stepped(int value, ScrollMove move, int thumb, int lo, int hi) {
    switch (move) {
    case ScrollMove::LineUp:
        value -= 1;
        break;
    case ScrollMove::LineDown:
        value += 1;
        break;
    case ScrollMove::PageUp:
        value -= kPageStep;
        break;
    case ScrollMove::PageDown:
        value += kPageStep;
        break;
    case ScrollMove::Thumb:
        value = thumb;
        break;
    }
    return std::clamp(value, lo, std::max(lo, hi));
}

bool MusicPage::scrollSong(ScrollMove move, int thumb) {
    if (m_doc.songCount() == 0)
        return false;
    const int old = m_doc.songIndex().value_or(0);
    const int now = stepped(old, move, thumb, 0, m_doc.songCount() - 1);
    if (now == old)
        return false;
    m_doc.selectSong(now);
    return true;
}

void MusicPage::songsLoaded() {
    stop();
    m_doc.selectSong(0);
}

std::string MusicPage::songCounterText() const {
    char text[32];
    std::snprintf(text, sizeof text, "%u/%u", unsigned(m_doc.songIndex().value_or(0) + 1),
                  unsigned(m_doc.songCount()));
    return text;
}

std::string MusicPage::chunkText() const {
    const auto index = m_doc.songIndex();
    const unsigned chunk = index ? unsigned(m_doc.musicSet().songs[size_t(*index)].chunk) : 0;
    char text[32];
    std::snprintf(text, sizeof text, "Chunk %u", chunk);
    return text;
}

bool MusicPage::scrollChannel(ScrollMove move, int thumb) {
    const int now = stepped(m_channel, move, thumb, kFirstChannel, kLastChannel);
    if (now == m_channel)
        return false;
    m_channel = now;
    m_muteBox = m_muted[size_t(m_channel)];
    return true;
}

std::string MusicPage::channelText() const {
    char text[16];
    std::snprintf(text, sizeof text, "%u/9", unsigned(m_channel + 1));
    return text;
}

void MusicPage::setSolo(bool on) {
    for (int c = 0; c < kOplChannels; ++c) {
        const bool mute = on && c != m_channel;
        m_player.mute(c, mute);
        m_muted[size_t(c)] = mute;
    }
    m_solo = on ? std::optional(m_channel) : std::nullopt;
    if (!on)
        m_muteBox = false;
}

void MusicPage::setMute(bool on) {
    m_player.mute(m_channel, on);
    m_muted[size_t(m_channel)] = on;
    m_muteBox = on;
}

} // namespace zentrik
