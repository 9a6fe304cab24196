#pragma once

#include "app/Signal.h"
#include "music/ImfPlayerBinding.h"
#include "music/MusicPage.h"
#include "platform/Progress.h"

#include <QTimer>
#include <QWidget>

#include <filesystem>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QToolButton;

namespace zentrik::gui {

class CPPMusicGZ;
class CPPMusicPercussion;
class MusicChEdit;
class NoteNameStrip;

// The music page: plays the songs through the player library with solo, mute and the jukebox,
// shows the selected channel in the piano roll and the generator cells of the channel, and
// rebuilds the song from the edited notes with "Update IMF". The player is bound the first time
// the page is shown (tests hand in their own).
class CPPMusic : public QWidget {
    Q_OBJECT
public:
    CPPMusic(MusicDocument& doc, Prompter& prompter, JobRunner* jobs, MusicPlayer* player,
             QWidget* parent = nullptr);
    ~CPPMusic() override;

    MusicPage& musicPage() { return *m_page; }
    MusicChEdit* roll() const { return m_roll; }
    CPPMusicGZ* cellPanel() const { return m_gz; }
    CPPMusicPercussion* percussionPanel() const { return m_percussion; }
    // Where "Update IMF" writes test.imf; empty: the per-user cache folder.
    std::filesystem::path imfFolder;
    // The player's end report, handed over from its thread with the start it belongs to.
    void songEnded(uint64_t start);
    // The player library, when the page bound one itself and it has the offline renderer.
    void setRenderer(const ImfLibFunctions* lib) { m_renderer = lib; }

    void play();
    void stop();
    void updateImf();
    void renderWav();
    void exportImf();
    void importSong();
    void undo();
    void redo();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildLayout();
    QWidget* buildMusicPanel();
    QWidget* buildChannelPanel();
    void connectControls();
    void addShortcuts();
    void bindPlayer();
    std::filesystem::path folder() const;

    void onSongBar(int value);
    void onChannelBar(int value);
    void onSnapEdited();
    void songReplaced();
    void showChannel();
    void showView();
    void showPlayState();
    void tickCursor();

    MusicDocument& m_doc;
    Prompter& m_prompter;
    JobRunner* m_jobs;
    std::unique_ptr<ImfPlayerBinding> m_binding; // when no player was handed in
    MusicPlayer* m_player;
    std::unique_ptr<MusicPage> m_page;
    const ImfLibFunctions* m_renderer = nullptr;
    bool m_bindTried = false;
    Connection m_replaced;
    QTimer m_cursorTimer;
    QString m_snapText;

    QWidget* m_controls = nullptr;
    QToolButton* m_play = nullptr;
    QToolButton* m_pause = nullptr;
    QToolButton* m_stop = nullptr;
    QScrollBar* m_songBar = nullptr;
    QLabel* m_songText = nullptr;
    QLabel* m_chunkText = nullptr;
    QLabel* m_lengthText = nullptr;
    QScrollBar* m_channelBar = nullptr;
    QLabel* m_channelText = nullptr;
    QCheckBox* m_solo = nullptr;
    QCheckBox* m_mute = nullptr;
    QCheckBox* m_jukebox = nullptr;
    QCheckBox* m_snap = nullptr;
    QLineEdit* m_snapField = nullptr;
    QPushButton* m_update = nullptr;
    QPushButton* m_render = nullptr;
    QPushButton* m_export = nullptr;
    QPushButton* m_import = nullptr;
    QLabel* m_songName = nullptr;
    QLabel* m_hint = nullptr;
    QLabel* m_edgeTime = nullptr;
    QLabel* m_noteLength = nullptr;
    QLabel* m_noteTime = nullptr;
    MusicChEdit* m_roll = nullptr;
    NoteNameStrip* m_strip = nullptr;
    QScrollBar* m_hBar = nullptr;
    QScrollBar* m_vBar = nullptr;
    CPPMusicGZ* m_gz = nullptr;
    CPPMusicPercussion* m_percussion = nullptr;
};

} // namespace zentrik::gui
