// The music page's widgets and how they are wired to its commands.
#include "music/CPPMusic.h"
#include "music/CPPMusicGZ.h"
#include "music/CPPMusicPercussion.h"
#include "music/MusicChEdit.h"

#include <QCheckBox>
#include <QDoubleValidator>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace zentrik::gui {

namespace {

template <class W> W* named(W* w, const char* name) {
    w->setObjectName(QLatin1String(name));
    return w;
}

QToolButton* toolButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon,
                        const char* tip) {
    auto* b = named(new QToolButton(parent), name);
    b->setIcon(parent->style()->standardIcon(icon));
    b->setToolTip(QLatin1String(tip));
    b->setAutoRaise(true);
    return b;
}

QScrollBar* horizontalBar(QWidget* parent, const char* name) {
    auto* bar = named(new QScrollBar(Qt::Horizontal, parent), name);
    bar->setSingleStep(1);
    bar->setPageStep(MusicPage::kPageStep);
    return bar;
}

} // namespace

void CPPMusic::buildLayout() {
    auto* row = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    left->addWidget(buildMusicPanel());
    // Beside the panel, not in it: the panel is greyed out while no song is loaded.
    m_hint = named(new QLabel(QStringLiteral("no audio device: playing silently"), this), "Hint");
    m_hint->setVisible(false);
    left->addWidget(m_hint);
    m_gz = new CPPMusicGZ(m_prompter, this);
    m_gz->attach(&m_doc);
    left->addWidget(m_gz);
    m_percussion = new CPPMusicPercussion(this);
    left->addWidget(m_percussion);
    left->addStretch(1);
    row->addLayout(left);
    row->addWidget(buildChannelPanel(), 0, Qt::AlignTop);
    row->addStretch(1);
}

QWidget* CPPMusic::buildMusicPanel() {
    auto* box = named(new QGroupBox(QStringLiteral("Music"), this), "MusicPanel");
    m_controls = box;
    auto* grid = new QGridLayout(box);
    auto* transport = new QHBoxLayout;
    m_play = toolButton(box, "Play", QStyle::SP_MediaPlay, "Play");
    m_pause = toolButton(box, "Pause", QStyle::SP_MediaPause, "Pause");
    m_pause->setCheckable(true);
    m_stop = toolButton(box, "Stop", QStyle::SP_MediaStop, "Stop");
    for (QToolButton* b : {m_play, m_pause, m_stop})
        transport->addWidget(b);
    transport->addStretch(1);
    // The song's own name from its name block ("CORNER"), where it has one.
    m_songName = named(new QLabel(box), "SongName");
    transport->addWidget(m_songName);
    grid->addLayout(transport, 0, 0, 1, 2);

    m_songBar = horizontalBar(box, "SongBar");
    m_songText = named(new QLabel(QStringLiteral("0/0"), box), "SongText");
    m_chunkText = named(new QLabel(QStringLiteral("Chunk 0"), box), "ChunkText");
    m_lengthText = named(new QLabel(box), "SongLength");
    grid->addWidget(new QLabel(QStringLiteral("Song"), box), 1, 0);
    grid->addWidget(m_songBar, 1, 1);
    grid->addWidget(m_songText, 2, 0);
    grid->addWidget(m_chunkText, 2, 1);
    grid->addWidget(m_lengthText, 3, 0, 1, 2);

    m_channelBar = horizontalBar(box, "ChannelBar");
    m_channelBar->setRange(MusicPage::kFirstChannel, MusicPage::kLastChannel);
    m_channelText = named(new QLabel(box), "ChannelText");
    grid->addWidget(new QLabel(QStringLiteral("Channel"), box), 4, 0);
    grid->addWidget(m_channelBar, 4, 1);
    grid->addWidget(m_channelText, 5, 0);

    m_solo = named(new QCheckBox(QStringLiteral("Solo"), box), "Solo");
    m_mute = named(new QCheckBox(QStringLiteral("Mute this channel"), box), "Mute");
    m_jukebox = named(new QCheckBox(QStringLiteral("JukeBox-Mode"), box), "JukeBox");
    grid->addWidget(m_solo, 6, 0);
    grid->addWidget(m_mute, 6, 1);
    grid->addWidget(m_jukebox, 7, 0, 1, 2);

    m_snap = named(new QCheckBox(QStringLiteral("Snap (in BPM)"), box), "Snap");
    m_snap->setChecked(true);
    m_snapText = QStringLiteral("120");
    m_snapField = named(new QLineEdit(m_snapText, box), "SnapField");
    m_snapField->setMaximumWidth(80);
    grid->addWidget(m_snap, 8, 0);
    grid->addWidget(m_snapField, 8, 1);

    m_update = named(new QPushButton(QStringLiteral("Update IMF"), box), "UpdateIMF");
    m_render = named(new QPushButton(QStringLiteral("Render to WAV..."), box), "RenderWav");
    m_export = named(new QPushButton(QStringLiteral("Export song..."), box), "ExportImf");
    m_import = named(new QPushButton(QStringLiteral("Import song..."), box), "ImportSong");
    m_import->setToolTip(QStringLiteral("Replaces the selected song by an IMF or WLF file (its "
                                        "name block stays); \"Save music\" writes it"));
    m_render->setToolTip(QStringLiteral("Renders the song as it sounds now (solo and mutes "
                                        "included) to a WAV file"));
    grid->addWidget(m_update, 9, 0, 1, 2);
    grid->addWidget(m_render, 10, 0);
    grid->addWidget(m_export, 10, 1);
    grid->addWidget(m_import, 11, 0);
    return box;
}

QWidget* CPPMusic::buildChannelPanel() {
    auto* box = named(new QGroupBox(QStringLiteral("Channel"), this), "CPPMusicCh");
    auto* grid = new QGridLayout(box);
    auto* info = new QHBoxLayout;
    m_edgeTime = named(new QLabel(QStringLiteral("88:88"), box), "EdgeTime");
    m_noteLength = named(new QLabel(QStringLiteral("Note length: 0"), box), "NoteLength");
    m_noteTime = named(new QLabel(QStringLiteral("Note time: 0"), box), "NoteTime");
    info->addWidget(m_edgeTime);
    info->addSpacing(24);
    info->addWidget(m_noteLength);
    info->addSpacing(24);
    info->addWidget(m_noteTime);
    info->addStretch(1);
    grid->addLayout(info, 0, 0, 1, 3);
    m_roll = new MusicChEdit(m_doc, *m_page, box);
    m_strip = new NoteNameStrip(*m_roll, box);
    m_vBar = named(new QScrollBar(Qt::Vertical, box), "VScroll");
    m_hBar = named(new QScrollBar(Qt::Horizontal, box), "HScroll");
    m_hBar->setPageStep(NoteEditor::kVisibleWidth);
    m_hBar->setSingleStep(NoteEditor::kVisibleWidth / 10);
    grid->addWidget(m_strip, 1, 0);
    grid->addWidget(m_roll, 1, 1);
    grid->addWidget(m_vBar, 1, 2);
    grid->addWidget(m_hBar, 2, 1);
    return box;
}

void CPPMusic::connectControls() {
    connect(m_play, &QToolButton::clicked, this, &CPPMusic::play);
    connect(m_stop, &QToolButton::clicked, this, &CPPMusic::stop);
    connect(m_pause, &QToolButton::clicked, this, [this] { m_page->pause(); });
    connect(m_songBar, &QScrollBar::valueChanged, this, &CPPMusic::onSongBar);
    connect(m_channelBar, &QScrollBar::valueChanged, this, &CPPMusic::onChannelBar);
    // clicked, not toggled: the boxes are also set from code on a channel change, and that must
    // not mute or unmute anything.
    connect(m_solo, &QCheckBox::clicked, this, [this](bool on) {
        m_page->setSolo(on);
        m_mute->setChecked(m_page->muteBox());
    });
    connect(m_mute, &QCheckBox::clicked, this, [this](bool on) { m_page->setMute(on); });
    connect(m_jukebox, &QCheckBox::toggled, this, [this](bool on) { m_page->jukebox = on; });
    connect(m_snap, &QCheckBox::toggled, this, [this](bool on) {
        m_roll->editor().snap = on;
        m_roll->update();
    });
    connect(m_snapField, &QLineEdit::editingFinished, this, &CPPMusic::onSnapEdited);
    connect(m_update, &QPushButton::clicked, this, &CPPMusic::updateImf);
    connect(m_render, &QPushButton::clicked, this, &CPPMusic::renderWav);
    connect(m_export, &QPushButton::clicked, this, &CPPMusic::exportImf);
    connect(m_import, &QPushButton::clicked, this, &CPPMusic::importSong);
    connect(m_hBar, &QScrollBar::valueChanged, m_roll, &MusicChEdit::setHScroll);
    connect(m_vBar, &QScrollBar::valueChanged, m_roll, &MusicChEdit::setVScroll);
    connect(m_roll, &MusicChEdit::viewChanged, this, &CPPMusic::showView);
    connect(m_roll, &MusicChEdit::noteInfo, this, [this](const QString& length, const QString& t) {
        m_noteLength->setText(length);
        m_noteTime->setText(t);
    });
    connect(m_roll, &MusicChEdit::playFromRequested, this, [this](uint32_t tick) {
        m_page->playFrom(tick);
        showPlayState();
    });
    connect(&m_cursorTimer, &QTimer::timeout, this, &CPPMusic::tickCursor);
}

void CPPMusic::addShortcuts() {
    auto add = [this](const QKeySequence& keys, auto fn) {
        auto* s = new QShortcut(keys, this);
        s->setContext(Qt::WidgetWithChildrenShortcut);
        connect(s, &QShortcut::activated, this, fn);
    };
    add(QKeySequence(Qt::Key_Space), [this] { m_page->playing() ? stop() : play(); });
    add(QKeySequence(Qt::Key_Home), [this] { m_roll->setHScroll(0); });
    add(QKeySequence::Undo, [this] { undo(); });
    add(QKeySequence::Redo, [this] { redo(); });
}

} // namespace zentrik::gui
