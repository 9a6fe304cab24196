// The music page over a recording player: no test needs the player library or a sound device.
// The page's headers first: they bring the core's Signal in before Qt's keyword macros.
#include "music/CPPMusic.h"
#include "music/CPPMusicGZ.h"
#include "music/MusicChEdit.h"
#include "music/SongEndRelay.h"

#include "../core/music/MusicTestData.h"
#include "EditorFixture.h"
#include "window/MainToolbar.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include <thread>

using namespace zentrik;
using namespace zentrik::gui;
using namespace zentrik::test;

namespace {

// Channel 1 with notes of the given (start, duration) at F-number 345, block 4.
MusicSet songWithNotes(std::initializer_list<std::pair<int, int>> notes, int songs = 1) {
    std::vector<Ev> events;
    int t = 0;
    for (auto [start, length] : notes) {
        events.insert(events.end(), {{0x01, 0, start - t},
                                     {0xA1, 345 & 0xFF, 0},
                                     {0xB1, 0x20 | (4 << 2) | (345 >> 8), length},
                                     {0xB1, (4 << 2) | (345 >> 8), 0}});
        t = start + length;
    }
    events.push_back({0x01, 0, 100});
    MusicSet set;
    for (int s = 0; s < songs; ++s)
        set.songs.push_back(songOf(imfBytes(events), 200 + s));
    set.musicLoaded = true;
    return set;
}

struct MusicFixture {
    MusicDocument doc;
    RecordingPlayer player;
    StrictPrompter prompter;
    InlineJobRunner jobs;
    CPPMusic page{doc, prompter, &jobs, &player};

    template <class W> W* find(const char* name) { return page.findChild<W*>(QLatin1String(name)); }
    QString text(const char* name) { return find<QLabel>(name)->text(); }
    // The player reports the end on its own thread; the page takes it on the next event loop.
    void endFromAudioThread() {
        std::thread([] { SongEndRelay::ended(nullptr); }).join();
    }
    void deliver() { QCoreApplication::processEvents(); }
    std::vector<NoteEvent>& notes() { return doc.model().notesOf(1); }
};

void mouse(QWidget* w, QEvent::Type type, QPoint at) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, at, w->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void drag(MusicChEdit* roll, QPoint from, QPoint to) {
    mouse(roll, QEvent::MouseButtonPress, from);
    mouse(roll, QEvent::MouseMove, to);
    mouse(roll, QEvent::MouseButtonRelease, to);
}

} // namespace

TEST(MusicPageGui, ShowsTheSharewareSongsAndAFailedLoadEmptiesThePage) {
    ZENTRIK_REQUIRE_GAMEDATA();
    TempDir dir;
    MusicFixture f;
    dir.copyGameFile("wl1/AUDIOHED.WL1");
    ASSERT_TRUE(f.doc.LoadMusic(dir.copyGameFile("wl1/AUDIOT.WL1"), f.prompter));
    EXPECT_EQ(f.text("SongText"), "1/11");
    EXPECT_EQ(f.text("ChunkText"), "Chunk 261");
    EXPECT_EQ(f.text("SongLength"), "Song length: 1:01 mins (7546 bytes)");
    EXPECT_EQ(f.text("ChannelText"), "2/9");
    EXPECT_TRUE(f.find<QWidget>("MusicPanel")->isEnabled());
    EXPECT_FALSE(f.page.cellPanel()->fieldText("waveform").isEmpty());

    // A failed load leaves the page empty and disabled.
    std::filesystem::remove(dir / "AUDIOHED.WL1");
    EXPECT_FALSE(f.doc.LoadMusic(dir / "AUDIOT.WL1", f.prompter));
    EXPECT_FALSE(f.find<QWidget>("MusicPanel")->isEnabled());
    EXPECT_EQ(f.text("SongText"), "0/0");
}

TEST(MusicPageGui, SongEndsFromThePlayerThread) {
    MusicFixture f;
    f.doc.setMusic(songWithNotes({{0, 100}}, 3));
    f.find<QScrollBar>("SongBar")->setValue(2);
    f.find<QCheckBox>("JukeBox")->setChecked(true);
    f.page.play();
    f.endFromAudioThread();
    f.deliver();
    EXPECT_EQ(f.doc.songIndex(), 0); // wrapped
    EXPECT_EQ(f.player.starts(), 2);
    // Pause stays pressed until Stop or Play.
    f.find<QToolButton>("Pause")->click();
    EXPECT_TRUE(f.find<QToolButton>("Pause")->isChecked());
    f.page.play();
    EXPECT_FALSE(f.find<QToolButton>("Pause")->isChecked());

    // An end that arrives after Stop, a song change or Update IMF belongs to an old start.
    TempDir dir;
    f.page.imfFolder = dir.path();
    const std::vector<std::function<void()>> interrupts{
        [&] { f.page.stop(); }, [&] { f.find<QScrollBar>("SongBar")->setValue(1); },
        [&] { f.page.updateImf(); }};
    for (const auto& interrupt : interrupts) {
        f.page.play();
        f.endFromAudioThread();
        interrupt();
        const int starts = f.player.starts();
        f.deliver();
        EXPECT_EQ(f.player.starts(), starts);
    }
}

TEST(MusicPageGui, ASongWithoutDelaysStopsInsteadOfRepeating) {
    MusicFixture f;
    MusicSet set;
    set.songs.push_back(songOf(imfBytes({{0x01, 0, 0}, {0xBD, 0, 0}})));
    set.musicLoaded = true;
    f.doc.setMusic(std::move(set));
    f.page.play();
    f.endFromAudioThread();
    f.deliver();
    EXPECT_FALSE(f.page.musicPage().playing());
    EXPECT_EQ(f.player.starts(), 1);
}

TEST(MusicPageGui, SoloMuteAndChannelChanges) {
    MusicFixture f;
    f.doc.setMusic(songWithNotes({{0, 100}}));
    f.find<QScrollBar>("ChannelBar")->setValue(3);
    EXPECT_EQ(f.text("ChannelText"), "4/9");
    f.find<QCheckBox>("Solo")->click();
    for (int c = 0; c < 9; ++c)
        EXPECT_EQ(f.player.muteState[size_t(c)], int(c != 3)) << c;
    // Another channel shows its own boxes without muting or unmuting anything.
    const int calls = f.player.muteCalls;
    f.find<QScrollBar>("ChannelBar")->setValue(5);
    EXPECT_EQ(f.player.muteCalls, calls);
    EXPECT_FALSE(f.find<QCheckBox>("Solo")->isChecked());
    EXPECT_TRUE(f.find<QCheckBox>("Mute")->isChecked());
    f.find<QScrollBar>("ChannelBar")->setValue(3);
    EXPECT_TRUE(f.find<QCheckBox>("Solo")->isChecked());
}

TEST(MusicPageGui, SnapFieldRefusesValuesOutsideItsRange) {
    MusicFixture f;
    auto* field = f.find<QLineEdit>("SnapField");
    for (const char* bad : {"0.5", "21000.5", "abc"}) {
        field->setText(QLatin1String(bad));
        emit field->editingFinished();
        EXPECT_EQ(field->text(), "120") << bad;
    }
    field->setText(QStringLiteral("60"));
    emit field->editingFinished();
    EXPECT_EQ(f.page.roll()->editor().snapInterval(), 700.0);
}

TEST(MusicPageGui, DragRulesAndUndo) {
    MusicFixture f;
    f.doc.setMusic(songWithNotes({{0, 1000}, {2000, 1000}, {3500, 50}}));
    MusicChEdit* roll = f.page.roll();
    roll->editor().snap = false;
    // A mouse drag goes through the note editor's rules (here one neighbour cut, one removed)
    // as one undoable edit.
    const QPoint grab = roll->pointOfNote(f.notes()[0], 0.1);
    drag(roll, grab, grab + QPoint(2600 / 20, 0)); // now 2600 .. 3600
    ASSERT_EQ(f.notes().size(), 2u);
    EXPECT_EQ(f.notes()[1].start, 2600u);
    EXPECT_EQ(f.text("NoteTime"), "Note time: 2600");
    f.page.undo();
    EXPECT_EQ(f.notes().size(), 3u);
    f.page.redo();
    EXPECT_EQ(f.notes().size(), 2u);

    // A click on an empty spot plays from there; beyond the song's end it does nothing.
    mouse(roll, QEvent::MouseButtonPress, QPoint(9 + 50, 10));
    mouse(roll, QEvent::MouseButtonRelease, QPoint(9 + 50, 10));
    EXPECT_EQ(f.player.calls.back(), "at 1000");
    const size_t calls = f.player.calls.size();
    mouse(roll, QEvent::MouseButtonPress, QPoint(9 + 4000 / 20, 10));
    EXPECT_EQ(f.player.calls.size(), calls);

    // A channel change or Escape during a drag takes it back; no cut rule runs.
    const auto before = f.notes();
    mouse(roll, QEvent::MouseButtonPress, roll->pointOfNote(f.notes()[1], 0.1));
    mouse(roll, QEvent::MouseMove, roll->pointOfNote(f.notes()[1], 0.1) - QPoint(100, 0));
    f.find<QScrollBar>("ChannelBar")->setValue(2);
    mouse(roll, QEvent::MouseButtonRelease, QPoint(10, 10));
    EXPECT_EQ(f.notes(), before);
    EXPECT_FALSE(roll->editor().grabbed());
    f.find<QScrollBar>("ChannelBar")->setValue(1);
    mouse(roll, QEvent::MouseButtonPress, roll->pointOfNote(f.notes()[1], 0.1));
    mouse(roll, QEvent::MouseMove, roll->pointOfNote(f.notes()[1], 0.1) - QPoint(100, 0));
    QTest::keyClick(roll, Qt::Key_Escape);
    EXPECT_EQ(f.notes(), before);

    // Delete removes the note last grabbed, as one undoable edit.
    drag(roll, roll->pointOfNote(f.notes()[0], 0.5), roll->pointOfNote(f.notes()[0], 0.5));
    QTest::keyClick(roll, Qt::Key_Delete);
    EXPECT_EQ(f.notes().size(), 1u);
    f.page.undo();
    EXPECT_EQ(f.notes(), before);
}

TEST(MusicPageGui, EditsAreNotThrownAwaySilently) {
    MusicFixture f;
    f.doc.setMusic(songWithNotes({{0, 1000}, {2000, 1000}}, 2));
    MusicChEdit* roll = f.page.roll();
    const QPoint grab = roll->pointOfNote(f.notes()[1], 0.9);
    drag(roll, grab, grab + QPoint(10, 0));
    ASSERT_TRUE(f.page.musicPage().unappliedEdits());
    const auto edited = f.notes();
    // The jukebox does not walk away from them.
    f.find<QCheckBox>("JukeBox")->setChecked(true);
    f.page.play();
    f.endFromAudioThread();
    f.deliver();
    EXPECT_EQ(f.doc.songIndex(), 0);
    // Another song asks first; Cancel stays with the edits.
    f.prompter.expectQuestion(Answer::Cancel);
    f.find<QScrollBar>("SongBar")->setValue(1);
    EXPECT_EQ(f.doc.songIndex(), 0);
    EXPECT_EQ(f.find<QScrollBar>("SongBar")->value(), 0);
    EXPECT_EQ(f.notes(), edited);

    // Update IMF in a folder that cannot be written: a message, and nothing changes. (A file
    // where the folder should be: permissions do not stop root.)
    TempDir dir;
    writeBytes(dir / "ro", {1});
    f.page.imfFolder = dir / "ro";
    f.find<QPushButton>("UpdateIMF")->click();
    ASSERT_EQ(f.prompter.messages.size(), 1u);
    EXPECT_FALSE(f.doc.rebuilt());
    EXPECT_EQ(f.notes(), edited);
    EXPECT_TRUE(f.page.musicPage().unappliedEdits());

    // No drops them.
    f.prompter.expectQuestion(Answer::No);
    f.find<QScrollBar>("SongBar")->setValue(1);
    EXPECT_EQ(f.doc.songIndex(), 1);
    EXPECT_FALSE(f.page.musicPage().unappliedEdits());
}

using MusicWindow = EditorTest;

TEST_F(MusicWindow, LoadMusicFromTheToolbar) {
    ZENTRIK_REQUIRE_GAMEDATA();
    TempDir data;
    CZentrikDlg& w = start(); // the load makes its folder current; the fixture goes back
    MainToolbar* bar = w.toolbar();
    EXPECT_FALSE(bar->action(Command::SaveMusic)->isEnabled());
    data.copyGameFile("wl1/AUDIOHED.WL1");
    prompter.expectPath((data / "AUDIOT.WL6").string()); // no such file
    bar->action(Command::LoadMusic)->trigger();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].caption,
              "CZentrikDlg::OnLoadMusic(): Unable to open audio head file:");
    prompter.expectPath(data.copyGameFile("wl1/AUDIOT.WL1").string());
    bar->action(Command::LoadMusic)->trigger();
    EXPECT_EQ(prompter.fileDialogs.back().title, "Load music...");
    EXPECT_EQ(w.page(QStringLiteral("CPPMusic"))->findChild<QLabel*>("SongText")->text(), "1/11");
}
