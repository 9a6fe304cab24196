// The Graphics, Fonts and Tile 8s pages and the toolbar's VGAGRAPH menus on copies of the
// shareware graphics archive: every saved archive is read back by a reader written the way the
// game reads the files (header offsets, dictionary walk, chunk lengths), not by our own loader.
#include "imaging/PictureFile.h"
#include "pages/PixelData.h"
#include "vga/CProp12Graphics.h"
#include "vga/CProp18Tile8.h"
#include "vga/CPropPageFont.h"
#include "vga/VgaCommands.h"
#include "VgaFixture.h"
#include "vgagraph/FontOps.h"

namespace zentrik::gui {
namespace {

TEST_F(VgaPagesTest, LoadAllFillsEveryPageAndEnablesTheSaves) {
    EXPECT_FALSE(menu(true, VgaPart::Graphics)->isEnabled());
    load(VgaPart::All, graph); // what each kind holds is checked on the core's loaders
    for (int p = 0; p < kVgaPartCount; ++p)
        EXPECT_TRUE(menu(true, VgaPart(p))->isEnabled()) << p;
    EXPECT_EQ(prompter.fileDialogs.back().title, "Load complete VGAGRAPH...");
    auto& g = page<CProp12Graphics>("CProp12Graphics");
    EXPECT_EQ(g.positionText(), "1/144");
    EXPECT_EQ(g.numberText(), "Chunk 3");
    EXPECT_EQ(page<CPropPageFont>("CPropPageFont").positionText(), "1/2");
    EXPECT_FALSE(titleMarked());
}

TEST_F(VgaPagesTest, QuestionOnlyWhileChangedAndASaveClearsTheMarker) {
    load(VgaPart::All, graph);
    load(VgaPart::Graphics, graph); // nothing changed: no question
    auto& g = page<CProp12Graphics>("CProp12Graphics");
    g.showChunk(1);
    const uint8_t old = state().graphics.pictures[1][0];
    g.editorPanel()->pickColour(uint8_t(old + 1), false);
    clickPixel(g.editorPanel(), {0, 0});
    EXPECT_TRUE(titleMarked());
    prompter.expectQuestion(Answer::No);
    menu(false, VgaPart::Graphics)->trigger(); // No: no file dialog, nothing loaded
    EXPECT_EQ(prompter.questions.back().caption, "Graphics changes unsaved!");
    EXPECT_EQ(state().graphics.pictures[1][0], uint8_t(old + 1));
    prompter.expectPath(graph.string());
    menu(true, VgaPart::Graphics)->trigger();
    for (auto& m : prompter.messages)
        ADD_FAILURE() << m.caption << ": " << m.text;
    EXPECT_FALSE(titleMarked());
    EXPECT_FALSE(state().graphics.changed);
    GameReader game(graph);
    EXPECT_EQ(game.chunk(state().graphics.firstPictureChunk + 1), state().graphics.pictures[1]);
    EXPECT_EQ(game.chunk(1), state().fonts.fonts[0]);
    EXPECT_TRUE(prompter.scriptUsedUp());
}

TEST_F(VgaPagesTest, PictureFieldsRoundAndRefuseOncePerEdit) {
    load(VgaPart::Graphics, graph);
    auto& g = page<CProp12Graphics>("CProp12Graphics");
    const PictureSize before = state().graphics.table[0];
    const struct {
        bool width;
        const char* text;
        PictureSize expected;
        size_t messages;
    } cases[] = {
        {true, "30", {32, before.height}, 0},
        {false, "1024", {32, before.height}, 1},
        {true, "0", {32, before.height}, 1},
        {false, "7", {32, 7}, 0},
    };
    for (const auto& c : cases) {
        prompter.messages.clear();
        enter(c.width ? g.widthField() : g.heightField(), QString::fromLatin1(c.text));
        EXPECT_EQ(state().graphics.table[0].width, c.expected.width) << c.text;
        EXPECT_EQ(state().graphics.table[0].height, c.expected.height) << c.text;
        EXPECT_EQ(prompter.messages.size(), c.messages) << c.text;
    }
    EXPECT_EQ(g.widthField()->text(), "32");
    EXPECT_TRUE(titleMarked());
}

TEST_F(VgaPagesTest, AColourWithoutACodeIsNamedAndAllPicturesExport) {
    load(VgaPart::All, graph);
    auto& g = page<CProp12Graphics>("CProp12Graphics");
    prompter.expectPath(dir.path().string());
    g.exportAll();
    EXPECT_TRUE(fs::exists(dir / "picture-000.png"));
    EXPECT_TRUE(fs::exists(dir / "picture-143.png"));
    EXPECT_EQ(prompter.messages.back().text, "Exported 144 pictures to " + dir.path().string());
    // A dictionary whose leaf for the first pixel's colour now names another colour.
    const uint8_t colour = state().graphics.pictures[0][0];
    auto dict = readBytes(dir / "VGADICT.WL1");
    for (size_t at = 0; at + 1 < 1020; at += 2)
        if (dict[at] == colour && dict[at + 1] == 0) {
            dict[at] = uint8_t(colour + 1);
            break;
        }
    fs::create_directory(dir / "other");
    writeBytes(dir / "other" / "VGADICT.WL1", dict);
    prompter.expectPath((dir / "other" / "VGADICT.WL1").string());
    ASSERT_TRUE(loadVgaDictionary(*context));
    g.updateSize();
    EXPECT_EQ(g.compressedSizeText(), "no code!");
}

TEST_F(VgaPagesTest, ABitmapTallerThanAPictureCanBeIsRefusedBeforeAnyChange) {
    struct Tall : BmpTarget {
        int width() const override { return 8; }
        int height() const override { return 1100; }
        uint8_t getPixel(int, int) const override { return 3; }
        void setPixel(int, int, uint8_t) override {}
    };
    const fs::path bmp = dir / "tall.bmp";
    ASSERT_TRUE(ExportPicture(Tall(), bmp, context->palettes.current(), prompter));
    load(VgaPart::Graphics, graph);
    auto& g = page<CProp12Graphics>("CProp12Graphics");
    const auto before = state().graphics.pictures[0];
    const PictureSize size = state().graphics.table[0];
    prompter.expectPath(bmp.string());
    prompter.expectQuestion(Answer::Yes); // resize the picture to the bitmap's size
    g.importChunk();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].caption, "Illegal picture size!");
    EXPECT_EQ(state().graphics.table[0].width, size.width);
    EXPECT_EQ(state().graphics.table[0].height, size.height);
    EXPECT_EQ(state().graphics.pictures[0], before);
    EXPECT_FALSE(titleMarked());
}

TEST_F(VgaPagesTest, InsertIntoAnEmptySetAsksForADictionaryAndSavingOverAnArchiveAsks) {
    auto& g = page<CProp12Graphics>("CProp12Graphics");
    prompter.expectPath((dir / "VGADICT.WL1").string());
    g.editorPanel()->pickColour(9, true);
    g.insertChunk();
    EXPECT_EQ(prompter.fileDialogs.back().title, "Load graphics dictionary...");
    ASSERT_EQ(state().graphics.pictureCount(), 1);
    EXPECT_EQ(state().graphics.pictures[0], std::vector<uint8_t>(64 * 64, 9));
    EXPECT_TRUE(menu(true, VgaPart::Graphics)->isEnabled());
    const auto archive = readBytes(graph);
    prompter.expectPath(graph.string());
    prompter.expectQuestion(Answer::No);
    menu(true, VgaPart::Graphics)->trigger();
    EXPECT_EQ(readBytes(graph), archive);
    fs::create_directory(dir / "new");
    const fs::path fresh = dir / "new" / "VGAGRAPH.WL1";
    prompter.expectPath(fresh.string());
    menu(true, VgaPart::Graphics)->trigger();
    GameReader game(fresh);
    EXPECT_EQ(game.chunk(0), std::vector<uint8_t>({64, 0, 64, 0}));
    EXPECT_EQ(game.chunk(1), state().graphics.pictures[0]);
}

TEST_F(VgaPagesTest, BadTargetsAndFailedLoadsChangeNothing) {
    writeBytes(dir / "VGAHEAD.WL1", {1, 2});
    load(VgaPart::Graphics, graph);
    EXPECT_FALSE(state().graphics.loaded);
    EXPECT_FALSE(menu(true, VgaPart::Graphics)->isEnabled()) << "a save would empty the target";
    test::TempDir good, other;
    for (const char* name : {"VGAGRAPH.WL1", "VGAHEAD.WL1", "VGADICT.WL1"}) {
        good.copyGameFile(std::string("wl1/") + name);
        other.copyGameFile(std::string("wl1/") + name);
    }
    load(VgaPart::Fonts, good / "VGAGRAPH.WL1");
    ASSERT_TRUE(state().fonts.loaded);
    auto dict = readBytes(other / "VGADICT.WL1");
    std::swap(dict[0], dict[4]);
    writeBytes(other / "VGADICT.WL1", dict);
    const auto before = readBytes(other / "VGAGRAPH.WL1");
    const struct {
        fs::path target;
        const char* caption;
    } refusals[] = {{other / "VGAGRAPH.WL1", "Different graphics dictionary!"},
                    {other / "VGAGRAPH", "No data set suffix!"}};
    for (const auto& r : refusals) {
        prompter.messages.clear();
        prompter.expectPath(r.target.string());
        menu(true, VgaPart::Fonts)->trigger();
        ASSERT_EQ(prompter.messages.size(), 1u) << r.caption;
        EXPECT_EQ(prompter.messages[0].caption, r.caption);
        EXPECT_EQ(readBytes(other / "VGAGRAPH.WL1"), before);
        EXPECT_EQ(readBytes(other / "VGADICT.WL1"), dict);
    }
}

TEST_F(VgaPagesTest, FontFieldsQuestionsAndCharacterExchange) {
    load(VgaPart::Fonts, graph);
    auto& f = page<CPropPageFont>("CPropPageFont");
    f.selectCharacter('A');
    auto& font = state().fonts.fonts[0];
    const auto original = font;
    const int height = fontHeight(font);
    for (const char* text : {"0", "101"}) {
        prompter.messages.clear();
        enter(f.widthField(), QString::fromLatin1(text));
        ASSERT_EQ(prompter.messages.size(), 1u) << text;
        EXPECT_EQ(prompter.messages[0].caption, "Illegal width!");
        EXPECT_EQ(font, original);
    }
    prompter.expectQuestion(Answer::No);
    enter(f.heightField(), QString::number(height - 2));
    EXPECT_NE(prompter.questions.back().text.find("feet"), std::string::npos);
    EXPECT_EQ(font, original);
    EXPECT_EQ(f.heightField()->text(), QString::number(height));
    EXPECT_FALSE(titleMarked());
    // A character exported and imported back changes no byte, and the import counts as an edit.
    const fs::path png = dir / "A.png";
    prompter.expectPath(png.string());
    f.exportCharacter();
    prompter.expectPath(png.string());
    f.importCharacter();
    EXPECT_EQ(font, original);
    EXPECT_TRUE(titleMarked());
    f.addCharacter(200);
    EXPECT_EQ(fontCharWidth(font, 200), 1);
    prompter.expectQuestion(Answer::Yes);
    enter(f.heightField(), QString::number(height + 1));
    EXPECT_EQ(fontHeight(font), height + 1);
    prompter.expectPath(graph.string());
    menu(true, VgaPart::Fonts)->trigger();
    EXPECT_EQ(GameReader(graph).chunk(1), font);
    EXPECT_TRUE(prompter.scriptUsedUp());
}

TEST_F(VgaPagesTest, Tile8StrokeImportAndSave) {
    load(VgaPart::Tile8s, graph);
    auto& t = page<CProp18Tile8>("CProp18Tile8");
    QTest::mouseClick(t.list(), Qt::LeftButton, {}, QPoint(2 * 20 + 10, 10));
    EXPECT_EQ(t.tile(), 2);
    t.editorPanel()->pickColour(77, false);
    clickPixel(t.editorPanel(), {5, 3});
    EXPECT_EQ(state().tile8s.tiles[151], 77);
    EXPECT_TRUE(titleMarked());
    const auto tiles = state().tile8s.tiles;
    const fs::path bmp = dir / "tile.bmp";
    prompter.expectPath(bmp.string());
    t.exportTile();
    prompter.expectPath(bmp.string());
    t.importTile();
    EXPECT_EQ(state().tile8s.tiles, tiles);
    prompter.expectPath(graph.string());
    menu(true, VgaPart::Tile8s)->trigger();
    GameReader game(graph);
    const int tileChunk = 1 + 2 + 144; // after the picture table, the two fonts and the pictures
    EXPECT_EQ(game.chunk(tileChunk, 4608), tiles);
    EXPECT_FALSE(titleMarked());
}

} // namespace
} // namespace zentrik::gui
