#include "music/MusicPage.h"

#include <algorithm>
#include <cstdio>

namespace zentrik {

MusicPage::MusicPage(MusicDocument& doc, MusicPlayer& player, Prompter& prompter)
    : m_doc(doc), m_player(player), m_prompter(prompter) {
    m_doc.setStopPlayback([this] { stop(); });
    m_replaced = m_doc.songReplaced.connect([this] { m_edits.clear(); });
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
    newStart();
    m_player.start(m_doc.imfData());
    m_playing = true;
    return true;
}

void MusicPage::stop() {
    newStart();
    m_player.stop();
    m_playing = false;
}

void MusicPage::playFrom(uint32_t tick) {
    if (!m_player.ready() || !m_doc.songIndex())
        return;
    newStart();
    m_player.playAt(m_doc.imfData(), int32_t(tick));
    m_playing = true;
}

void MusicPage::songEnded(uint64_t start) {
    if (!m_player.ready() || start != currentStart())
        return;
    if (jukebox && m_doc.songCount() > 0 && !unappliedEdits())
        m_doc.selectSong((m_doc.songIndex().value_or(0) + 1) % m_doc.songCount());
    if (m_doc.model().songLength == 0) {
        stop();
        return;
    }
    play();
}

bool MusicPage::selectSong(int index, const std::filesystem::path& folder) {
    if (index < 0 || index >= m_doc.songCount() || m_doc.songIndex() == index)
        return false;
    if (unappliedEdits()) {
        const Answer a =
            m_prompter.ask("The notes of this song were changed since the last \"Update IMF\".\n"
                           "Apply the changes (Update IMF) before selecting another song?",
                           "Changes unsaved!", Buttons::YesNoCancel, MessageIcon::Question);
        if (a == Answer::Cancel || (a == Answer::Yes && !updateImf(folder)))
            return false;
    }
    m_doc.selectSong(index);
    return true;
}

bool MusicPage::updateImf(const std::filesystem::path& folder) {
    return m_doc.UpdateIMF(m_prompter, folder);
}

void MusicPage::recordNoteEdit(int channel, std::vector<NoteEvent> before) {
    std::vector<NoteEvent> after = m_doc.model().notesOf(channel);
    if (after == before)
        return;
    auto apply = [this, channel](const std::vector<NoteEvent>& notes) {
        m_doc.model().notesOf(channel) = notes;
        return channel;
    };
    m_edits.push({[apply, b = std::move(before)] { return apply(b); },
                  [apply, a = std::move(after)] { return apply(a); }});
    m_doc.noteEdited();
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

bool MusicPage::scrollSong(ScrollMove move, int thumb, const std::filesystem::path& folder) {
    if (m_doc.songCount() == 0)
        return false;
    const int old = m_doc.songIndex().value_or(0);
    return selectSong(stepped(old, move, thumb, 0, m_doc.songCount() - 1), folder);
}

void MusicPage::songsLoaded() {
    stop();
    m_doc.selectSong(0);
}

std::string MusicPage::songCounterText() const {
    char text[32];
    // Without songs there is no first one to count.
    std::snprintf(text, sizeof text, "%u/%u",
                  m_doc.songIndex() ? unsigned(*m_doc.songIndex() + 1) : 0u,
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
