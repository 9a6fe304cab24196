#include "music/CPPMusic.h"

#include "context/AppContext.h"
#include "context/PageRegistry.h"
#include "io/SafeFile.h"
#include "music/CPPMusicGZ.h"
#include "music/CPPMusicPercussion.h"
#include "music/MusicChEdit.h"
#include "music/OfflineRender.h"
#include "music/SongEndRelay.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>

namespace zentrik::gui {

namespace {

const PageRegistration kMusicPage("CPPMusic", [](AppContext& c, QWidget* parent) -> QWidget* {
    return new CPPMusic(c.workspace.music(), c.relay, &c.jobRelay, nullptr, parent);
});

constexpr int kCursorIntervalMs = 30;

// Sets a control from code without running what a user's change of it runs.
template <class W, class F> void quietly(W* w, F set) {
    const QSignalBlocker block(w);
    set(w);
}

} // namespace

CPPMusic::CPPMusic(MusicDocument& doc, Prompter& prompter, JobRunner* jobs, MusicPlayer* player,
                   QWidget* parent)
    : QWidget(parent), m_doc(doc), m_prompter(prompter), m_jobs(jobs) {
    setObjectName(QStringLiteral("CPPMusic"));
    if (!player) {
        m_binding = std::make_unique<ImfPlayerBinding>();
        player = m_binding.get();
    }
    m_player = player;
    m_page = std::make_unique<MusicPage>(m_doc, *m_player, m_prompter);
    buildLayout();
    connectControls();
    addShortcuts();
    m_cursorTimer.setInterval(kCursorIntervalMs);
    m_replaced = m_doc.songReplaced.connect([this] { songReplaced(); });
    SongEndRelay::attach(this);
    songReplaced();
    showChannel();
}

CPPMusic::~CPPMusic() {
    // No end report may reach this page once it starts going away.
    SongEndRelay::detach(this);
    m_cursorTimer.stop();
    m_page->stop();
    if (m_binding)
        m_binding->release();
}

void CPPMusic::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    bindPlayer();
}

// Bound when first shown rather than at start-up: a user who never opens the page never
// waits for the audio device or sees a message about the library.
void CPPMusic::bindPlayer() {
    if (!m_binding || m_bindTried)
        return;
    m_bindTried = true;
    if (!m_binding->load(m_prompter, ImfPlayerBinding::defaultCandidates()))
        return;
    m_binding->startPlayer(&SongEndRelay::ended, nullptr);
    if (m_binding->hasRenderer())
        m_renderer = &m_binding->functions();
    m_hint->setVisible(!m_binding->hasAudioDevice());
}

std::filesystem::path CPPMusic::folder() const {
    return imfFolder.empty() ? userCacheFolder() : imfFolder;
}

void CPPMusic::play() {
    m_page->play();
    showPlayState();
}

void CPPMusic::stop() {
    m_page->stop();
    showPlayState();
}

void CPPMusic::songEnded(uint64_t start) {
    m_page->songEnded(start);
    showPlayState();
}

void CPPMusic::showPlayState() {
    quietly(m_pause, [](QToolButton* b) { b->setChecked(false); });
    if (m_page->playing()) {
        m_cursorTimer.start();
        tickCursor();
    } else {
        m_cursorTimer.stop();
        m_roll->setPlayPosition(std::nullopt);
    }
}

void CPPMusic::tickCursor() {
    m_roll->setPlayPosition(m_player->position());
}

void CPPMusic::onSongBar(int value) {
    if (!m_page->selectSong(value, folder()))
        quietly(m_songBar, [this](QScrollBar* b) { b->setValue(m_doc.songIndex().value_or(0)); });
}

void CPPMusic::songReplaced() {
    const bool loaded = m_doc.musicLoaded() && m_doc.songIndex().has_value();
    m_controls->setEnabled(loaded);
    m_render->setEnabled(loaded);
    quietly(m_songBar, [this](QScrollBar* b) {
        b->setRange(0, std::max(0, m_doc.songCount() - 1));
        b->setValue(m_doc.songIndex().value_or(0));
    });
    m_songText->setText(QString::fromStdString(m_page->songCounterText()));
    m_chunkText->setText(QString::fromStdString(m_page->chunkText()));
    m_songName->setText(QString::fromStdString(m_doc.songNameOf(m_doc.songIndex().value_or(-1))));
    m_lengthText->setText(QString::fromStdString(m_doc.songLengthLine()));
    m_noteLength->setText(QStringLiteral("Note length: 0"));
    m_noteTime->setText(QStringLiteral("Note time: 0"));
    m_roll->modelReplaced();
    if (loaded)
        m_gz->refresh(m_page->channel());
    m_percussion->display(loaded ? rhythmUse(m_doc.imfData()) : RhythmUse{});
    showPlayState();
}

void CPPMusic::onChannelBar(int value) {
    if (!m_page->scrollChannel(ScrollMove::Thumb, value))
        return;
    showChannel();
}

void CPPMusic::showChannel() {
    m_channelText->setText(QString::fromStdString(m_page->channelText()));
    quietly(m_channelBar, [this](QScrollBar* b) { b->setValue(m_page->channel()); });
    quietly(m_solo, [this](QCheckBox* b) { b->setChecked(m_page->soloBox()); });
    quietly(m_mute, [this](QCheckBox* b) { b->setChecked(m_page->muteBox()); });
    m_roll->setChannel(m_page->channel());
    if (m_doc.songIndex())
        m_gz->refresh(m_page->channel());
}

void CPPMusic::showView() {
    const NoteEditor& e = m_roll->editor();
    const uint32_t length = m_doc.songIndex() ? m_doc.model().songLength : 0;
    quietly(m_hBar, [&](QScrollBar* b) {
        b->setRange(0, e.hScrollRange(length));
        b->setValue(e.hScroll);
    });
    quietly(m_vBar, [&](QScrollBar* b) {
        b->setRange(0, e.vScrollRange());
        b->setValue(e.vScroll);
    });
    m_edgeTime->setText(QString::fromStdString(e.leftEdgeText()));
    m_strip->update();
}

void CPPMusic::onSnapEdited() {
    bool ok = false;
    const double bpm = m_snapField->text().toDouble(&ok);
    if (!ok || !m_roll->editor().setSnapTempo(bpm)) {
        m_snapField->setText(m_snapText);
        return;
    }
    m_snapText = m_snapField->text();
    m_roll->update();
}

void CPPMusic::updateImf() {
    m_page->updateImf(folder());
    showPlayState();
}

void CPPMusic::undo() {
    m_roll->cancelDrag();
    if (m_page->edits().undo())
        m_roll->modelReplaced();
}

void CPPMusic::redo() {
    m_roll->cancelDrag();
    if (m_page->edits().redo())
        m_roll->modelReplaced();
}

} // namespace zentrik::gui
