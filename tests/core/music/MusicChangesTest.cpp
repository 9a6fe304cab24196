// Song edits raise the music's changed flag (the title marker, the close question and the
// load-over question read it); Update IMF writes into the per-user cache folder; a save
// lowers the flag.
#include "MusicTestData.h"
#include "WorkspaceFixture.h"

#include "app/ProgramFolders.h"
#include "music/MusicPage.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace zentrik::test {
namespace {

TEST(MusicChanges, NoteEditsRebuildsAndImportsAreUnsavedChangesUntilSaved) {
    ZENTRIK_REQUIRE_GAMEDATA();
    TempDir dir;
    const auto audiot = dir.copyGameFile("wl1/AUDIOT.WL1");
    dir.copyGameFile("wl1/AUDIOHED.WL1");
    WorkspaceFixture f;
    ASSERT_TRUE(f.ws.loadMusic(audiot));
    EXPECT_FALSE(f.ws.isModified(DataSet::Music));
    RecordingPlayer player;
    MusicPage page(f.ws.music(), player, f.prompter);

    // A dragged note once set no flag, so closing threw it away without a word.
    auto before = f.ws.music().model().notesOf(1);
    ASSERT_FALSE(before.empty());
    f.ws.music().model().notesOf(1)[0].start += 10;
    page.recordNoteEdit(1, before);
    EXPECT_TRUE(f.ws.isModified(DataSet::Music));
    EXPECT_TRUE(f.ws.anyModified());

    // Loading over it asks; No keeps the songs.
    f.prompter.expectQuestion(Answer::No);
    EXPECT_FALSE(f.ws.loadMusic(audiot));
    ASSERT_EQ(f.prompter.questions.size(), 1u);
    EXPECT_EQ(f.prompter.questions[0].text, "Do you really want to load new music?");

    // Saving asks about the notes Update IMF has not taken in; Yes rebuilds (into the cache
    // folder) and writes the archive.
    TempDir cache;
    ASSERT_EQ(setenv("XDG_CACHE_HOME", cache.path().c_str(), 1), 0);
    EXPECT_EQ(userCacheFolder(), cache / "Zentrik");
    f.prompter.expectQuestion(Answer::Yes);
    ASSERT_TRUE(f.ws.saveMusic());
    unsetenv("XDG_CACHE_HOME");
    EXPECT_TRUE(std::filesystem::exists(cache / "Zentrik" / "test.imf"));
    EXPECT_FALSE(std::filesystem::exists(dir / "test.imf"));
    EXPECT_FALSE(f.ws.isModified(DataSet::Music));
    EXPECT_TRUE(std::filesystem::exists(dir / "AUDIOT.WL1.bak"));

    // The saved archive holds the moved note.
    MusicDocument again;
    ASSERT_TRUE(again.LoadMusic(audiot, f.prompter));
    EXPECT_EQ(again.model().notesOf(1)[0].start, before[0].start + 10);
    EXPECT_EQ(again.songNameOf(0), "CORNER");

    // An imported song is a change too.
    ASSERT_TRUE(f.ws.music().importSong(1, imfBytes({{0xA1, 0x57, 0}, {0xB1, 0x31, 70}}), "x.wlf",
                                        f.prompter));
    EXPECT_TRUE(f.ws.isModified(DataSet::Music));
}

} // namespace
} // namespace zentrik::test
