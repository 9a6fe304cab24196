#include "music/MusicPage.h"
#include "MusicTestData.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace zentrik;
using namespace zentrik::test;

namespace {

MusicSet threeSongs() {
    MusicSet set;
    for (int i = 0; i < 3; ++i)
        set.songs.push_back(songOf(imfBytes({{0x01, 0, 10 + i}}), 100 + i));
    set.musicLoaded = true;
    return set;
}

struct Page {
    MusicDocument doc;
    RecordingPlayer player;
    StrictPrompter prompter;
    MusicPage page{doc, player, prompter};
};

} // namespace

TEST(MusicPage, JukeboxWrapsAndWithoutItTheSongRepeats) {
    Page p;
    p.doc.setMusic(threeSongs());
    p.page.scrollSong(ScrollMove::Thumb, 2);
    p.player.calls.clear();
    p.page.songEnded();
    EXPECT_EQ(p.doc.songIndex(), 2);
    EXPECT_EQ(p.player.calls, (std::vector<std::string>{"start 4"}));
    p.page.jukebox = true;
    p.page.songEnded();
    EXPECT_EQ(p.doc.songIndex(), 0);
    EXPECT_EQ(p.player.calls.back(), "start 4");
    EXPECT_EQ(p.page.songCounterText(), "1/3");
    EXPECT_EQ(p.page.chunkText(), "Chunk 100");
}

TEST(MusicPage, SoloMutesEveryOtherChannelAndClearingUnmutesAll) {
    Page p;
    p.page.scrollChannel(ScrollMove::Thumb, 3);
    p.page.setSolo(true);
    EXPECT_EQ(p.player.muteState, (std::array<int, 9>{1, 1, 1, 0, 1, 1, 1, 1, 1}));
    EXPECT_TRUE(p.page.soloBox());
    EXPECT_EQ(p.page.soloChannel(), 3);
    p.page.scrollChannel(ScrollMove::LineDown);
    EXPECT_FALSE(p.page.soloBox());
    EXPECT_TRUE(p.page.muteBox());
    p.page.setSolo(false);
    EXPECT_EQ(p.player.muteState, (std::array<int, 9>{}));
    EXPECT_FALSE(p.page.muteBox());
    EXPECT_FALSE(p.page.soloChannel());
    p.page.setMute(true);
    EXPECT_EQ(p.player.muteState[4], 1);
    EXPECT_TRUE(p.page.muted(4));
}

TEST(MusicPage, ClickPlaysFromTheTickAndSelectingStops) {
    Page p;
    p.doc.setMusic(threeSongs());
    p.page.playFrom(7);
    EXPECT_EQ(p.player.calls.back(), "at 7");
    EXPECT_TRUE(p.page.playing());
    p.doc.selectSong(1);
    EXPECT_EQ(p.player.calls.back(), "stop");
    EXPECT_FALSE(p.page.playing());
}

TEST(MusicPage, TheDocumentOutlivesThePage) {
    MusicDocument doc;
    RecordingPlayer player;
    StrictPrompter prompter;
    { MusicPage page(doc, player, prompter); }
    doc.setMusic(threeSongs()); // would call the gone page's stop
    doc.selectSong(1);
    EXPECT_TRUE(player.calls.empty());
}
