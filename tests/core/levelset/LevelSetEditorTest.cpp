#include "maps/LevelSetEditor.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace zentrik;
using namespace zentrik::test;

namespace {

struct Fixture {
    LevelSet set;
    StrictPrompter prompter;
    LevelSetEditor editor{set, prompter};
    std::vector<int> shown;
    int modifiedCalls = 0;

    Connection c1 = editor.levelShown.connect([this](int n) { shown.push_back(n); });
    Connection c2 = editor.mapsModifiedSet.connect([this](bool) { ++modifiedCalls; });

    void addLevels(int n) {
        for (int i = 0; i < n; ++i)
            ASSERT_TRUE(editor.addMap());
    }
    // Marks every level with its index in plane 1 word 0 to follow them around.
    void label() {
        for (size_t i = 0; i < set.levels.size(); ++i)
            set.levels[i].planes[1][0] = uint16_t(i);
    }
};

} // namespace

TEST(LevelSetEditor, AddMapOnEmptySetStartsANewSet) {
    Fixture f;
    ASSERT_TRUE(f.editor.addMap());
    EXPECT_EQ(f.set.levelCount(), 1);
    EXPECT_TRUE(f.set.mapsLoaded);
    EXPECT_TRUE(f.set.carmack);
    EXPECT_TRUE(f.set.mapsModified);
    EXPECT_EQ(f.set.currentLevel, 0);
    EXPECT_EQ(f.set.levels[0].planes[1], Plane(4096, 0));
}

TEST(LevelSetEditor, AddMapInsertsAfterTheCurrentLevel) {
    Fixture f;
    f.addLevels(10);
    f.label();
    ASSERT_TRUE(f.editor.setCurrentMap(3));
    EXPECT_EQ(levelPageState(f.set).counterText, "Map 4/10");
    ASSERT_TRUE(f.editor.addMap());
    EXPECT_EQ(f.set.currentLevel, 4);
    EXPECT_EQ(levelPageState(f.set).counterText, "Map 5/11");
    EXPECT_EQ(f.set.levels[4].planes[1][0], 0); // the new, empty level
    for (int i = 5; i <= 10; ++i)
        EXPECT_EQ(f.set.levels[size_t(i)].planes[1][0], i - 1) << "former level " << i - 1;
    EXPECT_EQ(f.shown.back(), 4);
}

TEST(LevelSetEditor, DeleteMap) {
    Fixture f;
    f.addLevels(3);
    f.label();
    f.set.mapsModified = false;
    ASSERT_TRUE(f.editor.setCurrentMap(2));
    ASSERT_TRUE(f.editor.deleteMap()); // the last level: the view moves to the new last one
    EXPECT_EQ(f.set.levelCount(), 2);
    EXPECT_EQ(f.set.currentLevel, 1);
    EXPECT_TRUE(f.set.mapsModified);
    ASSERT_TRUE(f.editor.setCurrentMap(0));
    ASSERT_TRUE(f.editor.deleteMap());
    EXPECT_EQ(f.set.levels[0].planes[1][0], 1);
    EXPECT_FALSE(levelPageState(f.set).deleteEnabled);
    EXPECT_FALSE(f.editor.deleteMap()); // only one level left: it stays
    EXPECT_EQ(f.set.levelCount(), 1);
    ASSERT_EQ(f.prompter.messages.size(), 1u);
    EXPECT_EQ(f.prompter.messages[0], (RecordedMessage{"You can't use a mapeditor without maps ;)",
                                                       "Zentrik", MessageIcon::Exclamation}));
}

TEST(LevelSetEditor, ThirdPlaneOnAndOff) {
    Fixture f;
    f.addLevels(2);
    EXPECT_TRUE(f.editor.setThirdPlane(true));
    for (const auto& l : f.set.levels)
        EXPECT_EQ(l.planes[2], Plane(4096, 0));
    f.set.levels[1].planes[2][100] = 0x0302;
    f.editor.setThirdPlaneEditing(true);
    EXPECT_EQ(f.editor.wallPlane(), &f.set.current()->planes[2]);

    f.prompter.expectQuestion(Answer::Cancel);
    EXPECT_TRUE(f.editor.setThirdPlane(false));
    EXPECT_EQ(f.set.levels[1].planes[2][100], 0x0302); // Cancel keeps every plane 2
    EXPECT_TRUE(f.editor.thirdPlaneEditing());
    ASSERT_EQ(f.prompter.questions.size(), 1u);
    EXPECT_EQ(f.prompter.questions[0].text,
              "Do you want really do that? You will lose all your data in the 3rd plane!");

    f.prompter.expectQuestion(Answer::Ok);
    EXPECT_FALSE(f.editor.setThirdPlane(false));
    EXPECT_FALSE(f.editor.thirdPlaneEditing());
    for (const auto& l : f.set.levels)
        EXPECT_TRUE(l.planes[2].empty());
    EXPECT_EQ(f.editor.wallPlane(), &f.set.current()->planes[0]);

    // A level added while the third plane is on gets one too.
    f.editor.setThirdPlane(true);
    f.editor.addMap();
    EXPECT_EQ(f.set.current()->planes[2].size(), 4096u);
}

TEST(LevelSetEditor, FeatureFlagsLiveInWord63OfPlane0) {
    Fixture f;
    f.addLevels(1);
    f.set.mapsModified = false;
    f.set.levels[0].planes[0][63] = 0x0003;
    f.editor.setFeatureFlag(kRain, true);
    EXPECT_EQ(f.set.levels[0].planes[0][63], 0x0013);
    EXPECT_TRUE(f.set.mapsModified);
    f.editor.setFeatureFlag(kStarSky, false);
    EXPECT_EQ(f.set.levels[0].planes[0][63], 0x0012);
    const auto st = levelPageState(f.set);
    EXPECT_EQ(st.flags, (std::array<bool, 4>{false, true, true, false}));
    // Switching the feature flags on or off leaves the plane alone.
    f.editor.setFeatureFlagsEnabled(true);
    EXPECT_TRUE(f.set.featureFlags);
    EXPECT_EQ(f.set.levels[0].planes[0][63], 0x0012);
}

TEST(LevelHeader, FortyBytesRoundTripWithForcedTerminator) {
    std::vector<uint8_t> raw(40);
    for (size_t i = 0; i < raw.size(); ++i)
        raw[i] = uint8_t(0x41 + i);
    auto h = LevelHeader::read(raw);
    ASSERT_TRUE(h);
    EXPECT_EQ(h->planeStart[0], 0x44434241);
    EXPECT_EQ(h->planeLength[2], 0x5251);
    EXPECT_EQ(h->width, 0x5453);
    EXPECT_EQ(h->nameText().size(), 16u); // no NUL inside: the forced terminator ends it
    EXPECT_EQ(h->nameText(), "WXYZ[\\]^_`abcdef");
    auto back = h->bytes();
    raw[38] = 0; // the terminator is written as 0
    EXPECT_TRUE(std::equal(back.begin(), back.end(), raw.begin()));
    EXPECT_EQ(back[39], raw[39]); // spare byte kept
    EXPECT_FALSE(LevelHeader::read(std::span(raw).first(39)));

    LevelHeader n;
    n.setName("A name longer than sixteen");
    EXPECT_EQ(n.nameText(), "A name longer th");
}
