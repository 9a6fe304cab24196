// Bitmaps in and out: every depth and row order, short and refused files, the exporter's exact
// layout, the import's questions, and the nearest-colour cache.
#include "TestSupport.h"

#include "imaging/BmpImport.h"
#include "imaging/BmpReader.h"
#include "imaging/BmpWriter.h"
#include "imaging/ColorMatch.h"
#include "io/ByteReader.h"
#include "io/ByteWriter.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>

#include <cstdlib>
#include <fstream>
#include <functional>

namespace zentrik::test {
namespace {

// A bitmap written by hand, row bytes given top row first.
std::vector<uint8_t> bmpFile(int w, int h, int depth, const std::vector<std::vector<uint8_t>>& rows,
                             const std::vector<Rgb>& table = {}, bool topDown = false,
                             uint32_t compression = 0, uint32_t headerSize = 40) {
    const size_t stride = ((size_t(w) * size_t(depth) + 7) / 8 + 3) / 4 * 4;
    ByteWriter b;
    b.text("BM");
    const uint32_t dataAt = uint32_t(14 + headerSize + table.size() * 4);
    b.u32(uint32_t(dataAt + stride * size_t(h)));
    b.u32(0);
    b.u32(dataAt);
    b.u32(headerSize);
    b.i32(w);
    b.i32(topDown ? -h : h);
    b.u16(1);
    b.u16(uint16_t(depth));
    b.u32(compression);
    b.fill(20);
    b.fill(headerSize - 40, 0xEE);
    for (const Rgb& c : table) {
        b.u8(c.b);
        b.u8(c.g);
        b.u8(c.r);
        b.u8(0);
    }
    for (int r = 0; r < h; ++r) {
        const auto& row = rows[size_t(topDown ? r : h - 1 - r)];
        b.bytes(row);
        b.fill(stride - row.size());
    }
    return b.take();
}

GamePalette rampPalette() {
    GamePalette p;
    for (int i = 0; i < 256; ++i)
        p.entries[size_t(i)] = Rgb{uint8_t(i), uint8_t((i % 4) * 64), uint8_t(255 - i)};
    return p;
}

// A plain picture for the importer, optionally resizable, recording the undo hooks.
struct Picture : BmpTarget {
    int w, h;
    std::vector<uint8_t> px;
    bool resizable = false;
    std::vector<std::string> calls;
    Picture(int w_, int h_, uint8_t fill = 0) : w(w_), h(h_), px(size_t(w_ * h_), fill) {}
    int width() const override { return w; }
    int height() const override { return h; }
    uint8_t getPixel(int x, int y) const override { return px[size_t(y * w + x)]; }
    void setPixel(int x, int y, uint8_t v) override { px[size_t(y * w + x)] = v; }
    bool canResize() const override { return resizable; }
    bool resize(int nw, int nh) override {
        w = nw, h = nh;
        px.assign(size_t(w * h), 0);
        calls.push_back("resize");
        return true;
    }
    void startUndoRecord() override { calls.push_back("start"); }
    void closeUndoRecord(int x, int y, int cw, int ch) override {
        calls.push_back("close " + std::to_string(x) + "," + std::to_string(y) + "," +
                        std::to_string(cw) + "," + std::to_string(ch));
    }
};

TEST(BmpReader, EveryDepthAndBothRowOrders) {
    const std::vector<Rgb> two{{0, 0, 0}, {255, 255, 255}};
    std::vector<Rgb> sixteen(16), many(256);
    for (int i = 0; i < 16; ++i)
        sixteen[size_t(i)] = Rgb{uint8_t(i * 16), 1, 2};
    for (int i = 0; i < 256; ++i)
        many[size_t(i)] = Rgb{3, uint8_t(i), 4};
    for (bool topDown : {false, true}) {
        SCOPED_TRACE(topDown);
        // 1 bit: 10 pixels wide, leftmost pixel in the top bit
        auto p1 = readBmp(bmpFile(10, 2, 1, {{0x80, 0x40}, {0x7F, 0xC0}}, two, topDown));
        ASSERT_TRUE(p1.ok());
        EXPECT_EQ(p1->pixel(0, 0), (Rgb{255, 255, 255}));
        EXPECT_EQ(p1->pixel(9, 0), (Rgb{255, 255, 255}));
        EXPECT_EQ(p1->pixel(0, 1), (Rgb{0, 0, 0}));
        auto p4 = readBmp(bmpFile(3, 1, 4, {{0x3A, 0xF0}}, sixteen, topDown));
        EXPECT_EQ(p4->pixel(0, 0).r, 3 * 16);
        EXPECT_EQ(p4->pixel(1, 0).r, 10 * 16);
        EXPECT_EQ(p4->pixel(2, 0).r, 15 * 16);
        auto p8 = readBmp(bmpFile(2, 2, 8, {{7, 8}, {9, 200}}, many, topDown));
        EXPECT_EQ(p8->pixel(1, 1).g, 200);
        auto p16 = readBmp(bmpFile(2, 1, 16, {{0xFF, 0x7F, 0x1F, 0x00}}, {}, topDown));
        EXPECT_EQ(p16->pixel(0, 0), (Rgb{248, 248, 248}));
        EXPECT_EQ(p16->pixel(1, 0), (Rgb{0, 0, 248}));
        auto p24 = readBmp(bmpFile(1, 2, 24, {{1, 2, 3}, {4, 5, 6}}, {}, topDown));
        EXPECT_EQ(p24->pixel(0, 0), (Rgb{3, 2, 1}));
        EXPECT_EQ(p24->pixel(0, 1), (Rgb{6, 5, 4}));
        auto p32 = readBmp(bmpFile(1, 1, 32, {{1, 2, 3, 99}}, {}, topDown));
        EXPECT_EQ(p32->pixel(0, 0), (Rgb{3, 2, 1}));
    }
    // a longer information header is skipped; the colour table follows it
    auto v5 = readBmp(bmpFile(1, 1, 8, {{1}}, many, false, 0, 124));
    ASSERT_TRUE(v5.ok());
    EXPECT_EQ(v5->pixel(0, 0), (Rgb{3, 1, 4}));
}

TEST(BmpReader, RefusalsAndShortFiles) {
    auto text = [](const Result<BmpPicture>& r) { return r.ok() ? "" : r.error().text; };
    EXPECT_EQ(text(readBmp(std::vector<uint8_t>{'B', 'N', 0, 0})), "Not a bitmap!");
    EXPECT_EQ(text(readBmp(std::vector<uint8_t>{'B', 'M'})), "Not a bitmap!");
    EXPECT_EQ(readBmp(bmpFile(1, 1, 8, {{0}}, {}, false, 1)).error().caption,
              "Unsupported file format");
    EXPECT_EQ(readBmp(bmpFile(32768, 1, 24, {{}})).error().caption, "Picture too large!");
    EXPECT_EQ(readBmp(bmpFile(1, 1, 2, {{0}})).error().caption, "Unsupported file format");
    auto full = bmpFile(4, 4, 24, {{}, {}, {}, {}});
    full.resize(full.size() - 20);
    auto cut = readBmp(full);
    ASSERT_TRUE(cut.ok());
    EXPECT_TRUE(cut->truncated);
    EXPECT_EQ(cut->pixel(3, 0), (Rgb{0, 0, 0})); // the top row was last in the file
}

TEST(BmpWriter, ExactHeaderRowsAndPadding) {
    GamePalette pal = rampPalette();
    Picture pic(30, 2);
    for (int x = 0; x < 30; ++x) {
        pic.setPixel(x, 0, uint8_t(x));
        pic.setPixel(x, 1, uint8_t(100 + x));
    }
    const auto bytes = bmp8Bytes(pic, pal);
    ASSERT_EQ(bytes.size(), 1078u + 2 * 32); // rows padded to 32 bytes
    EXPECT_EQ(loadLe32(&bytes[2]), 1078u + 64);
    EXPECT_EQ(loadLe32(&bytes[10]), 1078u);
    EXPECT_EQ(loadLe32(&bytes[46]), 256u);
    EXPECT_EQ(bytes[54 + 4 * 10 + 2], 10); // red of entry 10
    EXPECT_EQ(bytes[1078], 100);           // bottom row first
    EXPECT_EQ(bytes[1078 + 30], 0);
    EXPECT_EQ(bytes[1078 + 32 + 29], 29);
    Picture wide(64, 1);
    EXPECT_EQ(bmp8Bytes(wide, pal).size(), 1078u + 64);
    // our own reader takes it back
    auto back = readBmp(bytes);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back->pixel(5, 1), pal.entries[105]);
}

TEST(ColorMatch, NearestTiesAndTheSixBitCache) {
    GamePalette pal;
    pal.entries[3] = Rgb{10, 10, 10};
    pal.entries[4] = Rgb{10, 10, 10};
    pal.entries[9] = Rgb{200, 0, 0};
    EXPECT_EQ(FindNearestColor(pal, 10, 10, 10), 3);
    EXPECT_EQ(FindNearestColor(pal, 190, 5, 5), 9);
    EXPECT_EQ(FindNearestColor(pal, 1, 1, 1), 0); // entries 0..2 and 5.. are black
    // 103 lies nearer to black, 104..107 share its six-bit key and get the same answer, kept
    // until the table is marked stale.
    NearestColorTable table(pal);
    table.clearIfStale();
    pal.entries[7] = Rgb{104, 104, 104};
    EXPECT_EQ(table.MatchColor(105, 105, 105), 7);
    pal.entries[7] = Rgb{};
    EXPECT_EQ(table.MatchColor(104, 104, 107), 7);
    table.markStale();
    table.clearIfStale();
    EXPECT_NE(table.MatchColor(104, 104, 104), 7);
}

struct ImportFixture {
    GamePalette pal = rampPalette();
    NearestColorTable colors{pal};
    StrictPrompter prompter;
    InlineProgress progress;
    int run(const std::vector<uint8_t>& file, BmpTarget& t) {
        return ImportBmpWorker(file, t, colors, prompter, progress);
    }
    uint8_t index(Rgb c) { return FindNearestColor(pal, c.r, c.g, c.b); }
};

std::vector<std::vector<uint8_t>> rows24(int w, int h, const std::function<Rgb(int, int)>& f) {
    std::vector<std::vector<uint8_t>> rows(static_cast<size_t>(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Rgb c = f(x, y);
            rows[size_t(y)].insert(rows[size_t(y)].end(), {c.b, c.g, c.r});
        }
    return rows;
}

TEST(BmpImport, SameSizeCopiesWithoutAQuestionInsideTheUndoRecord) {
    ImportFixture f;
    Picture wall(64, 64);
    auto file =
        bmpFile(64, 64, 24,
                rows24(64, 64, [&](int x, int y) { return f.pal.entries[size_t((x + y) % 256)]; }),
                {}, true);
    ASSERT_EQ(f.run(file, wall), JobResult::Done);
    EXPECT_EQ(wall.getPixel(10, 20), 30);
    EXPECT_EQ(wall.calls, (std::vector<std::string>{"start", "close 0,0,64,64"}));
    EXPECT_EQ(f.progress.position, 102);
}

TEST(BmpImport, ResampleEnlargesAndReduces) {
    ImportFixture f;
    // 2 x 1 picture, left entry 0 and right entry 200, into 4 x 4: spacing of one pixel
    Picture up(4, 4);
    auto two =
        bmpFile(2, 1, 24, rows24(2, 1, [&](int x, int) { return f.pal.entries[x ? 200 : 0]; }));
    f.prompter.expectQuestion(Answer::Yes);
    ASSERT_EQ(f.run(two, up), JobResult::Done);
    // x = 1: px = 1 * 384 / 4 = 96 -> 160/256 of entry 0, 96/256 of entry 200
    const Rgb a = f.pal.entries[0], b = f.pal.entries[200];
    auto mix = [](int c1, int c2, int fx) {
        return uint8_t(((256 - fx) * 256 * c1 + fx * 256 * c2) / 65536);
    };
    EXPECT_EQ(up.getPixel(1, 2),
              f.index(Rgb{mix(a.r, b.r, 96), mix(a.g, b.g, 96), mix(a.b, b.b, 96)}));
    EXPECT_EQ(up.getPixel(0, 0), 0);
    // a larger picture is reduced; a uniform one stays uniform
    Picture down(4, 4);
    auto big = bmpFile(16, 16, 24, rows24(16, 16, [&](int, int) { return f.pal.entries[77]; }));
    f.prompter.expectQuestion(Answer::Yes);
    ASSERT_EQ(f.run(big, down), JobResult::Done);
    EXPECT_EQ(down.px, std::vector<uint8_t>(16, 77));
}

// A 32 x 32 checker of two colours into a 64 x 64 wall: nearest neighbour, offered first for a
// whole factor, keeps exactly two colours; smooth resampling mixes them.
TEST(BmpImport, NearestNeighbourKeepsPixelArtAndIsTheDefaultForWholeFactors) {
    ImportFixture f;
    auto checker = bmpFile(32, 32, 24, rows24(32, 32, [&](int x, int y) {
                               return f.pal.entries[(x + y) % 2 ? 200 : 15];
                           }));
    struct Case {
        std::optional<int> choice;
        size_t colours;
    };
    for (const Case c : {Case{std::nullopt, 2}, Case{0, 2}, Case{1, 0}}) {
        Picture wall(64, 64);
        if (c.choice)
            f.prompter.expectChoice(c.choice);
        else
            f.prompter.expectQuestion(Answer::Yes); // a prompter without buttons: the default
        ASSERT_EQ(f.run(checker, wall), JobResult::Done);
        EXPECT_EQ(f.prompter.choiceButtons.back(),
                  (std::vector<std::string>{"Nearest neighbour", "Smooth", "Copy corner"}));
        EXPECT_NE(
            f.prompter.questions.back().text.find("The picture is 32 x 32, the chunk 64 x 64"),
            std::string::npos);
        const std::set<uint8_t> used(wall.px.begin(), wall.px.end());
        if (c.colours) {
            EXPECT_EQ(used.size(), c.colours);
            const uint8_t dark = f.index(f.pal.entries[15]), light = f.index(f.pal.entries[200]);
            EXPECT_EQ(wall.getPixel(0, 0), dark);
            EXPECT_EQ(wall.getPixel(1, 1), dark) << "each source pixel covers 2 x 2";
            EXPECT_EQ(wall.getPixel(2, 0), light);
            EXPECT_EQ(wall.getPixel(2, 2), dark);
        } else {
            EXPECT_GT(used.size(), 2u) << "smooth resampling blends the checker";
        }
    }
    EXPECT_TRUE(integerRatio(256, 256, 64, 64));
    EXPECT_FALSE(integerRatio(96, 88, 320, 200));
    EXPECT_FALSE(integerRatio(2, 1, 4, 4));
}

TEST(BmpImport, SizeQuestionSaysLargerOrSmallerWithBothSizes) {
    ImportFixture f;
    Picture pic(320, 200);
    pic.resizable = true;
    auto small = bmpFile(96, 88, 24, rows24(96, 88, [&](int, int) { return f.pal.entries[3]; }));
    f.prompter.expectQuestion(Answer::Cancel);
    EXPECT_EQ(f.run(small, pic), JobResult::Failed);
    EXPECT_EQ(f.prompter.questions.back().text,
              "The picture is smaller than the current chunk.\nDo you want me to resize the "
              "current chunk to let the whole picture have a place?\n\nThe picture is 96 x 88, "
              "the chunk 320 x 200");
    Picture tiny(8, 8);
    tiny.resizable = true;
    f.prompter.expectQuestion(Answer::Cancel);
    EXPECT_EQ(f.run(small, tiny), JobResult::Failed);
    EXPECT_EQ(f.prompter.questions.back().text.rfind("The picture is larger", 0), 0u);
}

TEST(BmpImport, ResizeQuestionCancelAndTruncation) {
    ImportFixture f;
    Picture pic(8, 8, 5);
    pic.resizable = true;
    auto file = bmpFile(3, 2, 24, rows24(3, 2, [&](int, int) { return f.pal.entries[20]; }));
    f.prompter.expectQuestion(Answer::Cancel);
    EXPECT_EQ(f.run(file, pic), JobResult::Failed);
    EXPECT_EQ(pic.px, std::vector<uint8_t>(64, 5));
    EXPECT_TRUE(pic.calls.empty());
    f.prompter.expectQuestion(Answer::Yes);
    ASSERT_EQ(f.run(file, pic), JobResult::Done);
    EXPECT_EQ(f.prompter.questions.back().caption, "Picture doesn't fit!");
    EXPECT_EQ(pic.w, 3);
    EXPECT_EQ(pic.px, std::vector<uint8_t>(6, 20));
    // a short file imports its missing rows as black after the notice
    Picture small(2, 2, 9);
    auto cut = bmpFile(2, 2, 24, rows24(2, 2, [&](int, int) { return f.pal.entries[100]; }));
    cut.resize(cut.size() - 8);
    ASSERT_EQ(f.run(cut, small), JobResult::Done);
    EXPECT_EQ(f.prompter.messages.back().caption, "Unexpected file end!");
    EXPECT_EQ(small.getPixel(0, 1), 100); // bottom row came first in the file
    EXPECT_EQ(small.getPixel(0, 0), f.index(Rgb{}));
    // refused files end with their message and leave the picture alone
    EXPECT_EQ(f.run(std::vector<uint8_t>{1, 2, 3}, small), JobResult::Failed);
    EXPECT_EQ(f.prompter.messages.back().text, "Not a bitmap!");
}

TEST(BmpWriter, IndependentReaderOpensOurBitmap) {
    // Debian's python3-pil serves /usr/bin/python3, which a python3 earlier on PATH hides.
    std::string python;
    for (const char* candidate : {"python3", "/usr/bin/python3"})
        if (python.empty() &&
            std::system((std::string(candidate) + " -c 'import PIL' >/dev/null 2>&1").c_str()) == 0)
            python = candidate;
    if (python.empty())
        GTEST_SKIP() << "python3 with Pillow not installed";
    TempDir dir;
    GamePalette pal = rampPalette();
    Picture pic(30, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 30; ++x)
            pic.setPixel(x, y, uint8_t(x * 8 + y));
    StrictPrompter prompter;
    ASSERT_TRUE(ExportBMP(pic, dir / "p.bmp", pal, prompter));
    const std::string script =
        "from PIL import Image\n"
        "im = Image.open('" +
        (dir / "p.bmp").string() +
        "')\n"
        "assert im.mode == 'P' and im.size == (30, 5), (im.mode, im.size)\n"
        "assert im.getpixel((29, 4)) == 29 * 8 + 4\n"
        "assert im.getpixel((3, 0)) == 24\n"
        "p = im.getpalette()\n"
        "assert p[3 * 77:3 * 77 + 3] == [77, 64, 178], p[3 * 77:3 * 77 + 3]\n";
    writeBytes(dir / "check.py", std::vector<uint8_t>(script.begin(), script.end()));
    EXPECT_EQ(std::system((python + " " + (dir / "check.py").string()).c_str()), 0);
}

} // namespace
} // namespace zentrik::test
