// Small crafted sets: the writer's exact bytes, the reader's settings and every refusal.
#include "MapTestFixture.h"

#include "io/ByteReader.h"
#include "io/ByteWriter.h"
#include "maps/MapArchiveReader.h"
#include "maps/MapArchiveWriter.h"

#include <cstring>
#include <functional>

namespace zentrik::test {
namespace {

namespace fs = std::filesystem;

LevelSet zeroSet(int levels, bool third = false, bool flags = false) {
    LevelSet s;
    s.thirdPlane = third;
    s.featureFlags = flags;
    for (int i = 0; i < levels; ++i)
        s.levels.push_back(Level::blank(third));
    return s;
}

MapArchiveBytes encode(LevelSet& s) {
    InlineProgress p;
    MapArchiveBytes out;
    EXPECT_EQ(SaveMapsWorker(p, s, out), JobResult::Done);
    return out;
}

// Reads a set written by the writer back through the reader, both from memory.
LevelSet readBack(const MapArchiveBytes& bytes, bool carmack) {
    MapReadOptions o;
    o.carmack = carmack;
    InlineProgress p;
    StrictPrompter prompter;
    LevelSet set;
    EXPECT_EQ(LoadMapsWorker(p, bytes.header, bytes.map, o, set, prompter), JobResult::Done);
    return set;
}

TEST(MapArchiveWriter, ZeroLevelWithoutCarmackIsByteExact) {
    LevelSet s = zeroSet(1);
    s.levels[0].header.setName("Test");
    const MapArchiveBytes out = encode(s);
    const std::string sig = mapSignature(false, false);
    EXPECT_EQ(sig.rfind("ZK1.27:Mapfile was edited with Zentrik (", 0), 0u);
    const std::vector<uint8_t> block{0x00, 0x20, 0xCD, 0xAB, 0x00, 0x10, 0x00, 0x00};
    ByteWriter want;
    want.text(sig);
    // The third plane is off, but its header slot gets an empty plane of its own.
    want.bytes(block);
    want.bytes(block);
    want.bytes(block);
    const int32_t p0 = int32_t(sig.size());
    for (int32_t start : {p0, p0 + 8, p0 + 16})
        want.i32(start);
    for (int i = 0; i < 3; ++i)
        want.u16(8);
    want.u16(64);
    want.u16(64);
    want.text("Test");
    want.fill(12 + 2);
    want.text("MESX");
    EXPECT_EQ(out.map, want.bytes());
    // The game reads a table of 100 positions whatever the count: unused entries are 0.
    std::vector<uint8_t> head(402, 0);
    head[0] = 0xCD, head[1] = 0xAB, head[2] = uint8_t(p0 + 24);
    EXPECT_EQ(out.header, head);
}

TEST(MapArchiveWriter, SignaturesAndHeaderSizes) {
    EXPECT_EQ(mapSignature(false, true).substr(0, 10), "ZK1.27:FF:");
    EXPECT_EQ(mapSignature(true, false).substr(0, 10), "ZK1.27:3P:");
    for (auto [levels, bytes] : {std::pair{60, 402u}, {100, 402u}, {101, 406u}}) {
        LevelSet s = zeroSet(levels);
        const MapArchiveBytes out = encode(s);
        EXPECT_EQ(out.header.size(), bytes) << levels;
        EXPECT_EQ(readBack(out, false).levelCount(), levels); // the zero entries end the table
    }
    LevelSet t = zeroSet(2, true, true);
    const auto out = encode(t);
    EXPECT_EQ(std::string(out.map.begin(), out.map.begin() + 13), "ZK1.27:3P:FF:");
    EXPECT_EQ(t.levels[1].header.planeLength[2], 8);
    EXPECT_NE(t.levels[1].header.planeStart[2], t.levels[1].header.planeStart[1]);
}

TEST(MapArchiveWriter, WorstCasePlaneOfTagWordsSurvivesBothEncodings) {
    // Every other word the tag: RLEW grows past 16384 bytes, which the buffers must hold.
    Plane worst(kPlaneWords);
    for (int i = 0; i < kPlaneWords; ++i)
        worst[size_t(i)] = i % 2 ? 0xABCD : uint16_t(0xA700 + i % 3);
    for (bool carmack : {false, true}) {
        LevelSet s = zeroSet(1, true, true);
        s.carmack = carmack;
        s.levels[0].planes[0] = worst;
        s.levels[0].planes[2] = worst;
        const auto set = readBack(encode(s), carmack);
        ASSERT_EQ(set.levelCount(), 1);
        EXPECT_TRUE(set.thirdPlane);
        EXPECT_TRUE(set.featureFlags);
        EXPECT_EQ(set.levels[0].planes[0], worst) << carmack;
        EXPECT_EQ(set.levels[0].planes[2], worst) << carmack;
    }
}

TEST(MapArchiveReader, SignatureFlags) {
    struct Case {
        const char* text;
        bool third, flags;
    } cases[] = {{"ZK1.27:3P:FF:xx", true, true},
                 {"ZK1.27:FF:xx", false, true},
                 {"ZK1.27:3P:xx", true, false},
                 {"no colon in here at all", false, false},
                 {"0123456789012345678:3P", false, false},
                 {"X:3P", true, false}};
    for (const Case& c : cases) {
        bool third = !c.third, flags = !c.flags;
        const std::string t = c.text;
        readMapSignature(std::span(reinterpret_cast<const uint8_t*>(t.data()), t.size()), third,
                         flags);
        EXPECT_EQ(third, c.third) << c.text;
        EXPECT_EQ(flags, c.flags) << c.text;
    }
}

TEST(MapArchiveReader, AbsentLevelGetsZeroPlanesAndCountsInTheProgress) {
    LevelSet s = zeroSet(8);
    for (int i = 0; i < 8; ++i)
        s.levels[size_t(i)].planes[1] = patternPlane(uint16_t(i + 1));
    s.carmack = true;
    MapArchiveBytes bytes = encode(s);
    ByteWriter head;
    head.u16(0xABCD);
    for (int i = 0; i < 8; ++i)
        head.i32(i == 6 ? -1 : int32_t(loadLe32(bytes.header.data() + 2 + 4 * i)));
    bytes.header = head.take();
    InlineProgress p;
    StrictPrompter prompter;
    LevelSet set;
    ASSERT_EQ(LoadMapsWorker(p, bytes.header, bytes.map, MapReadOptions{}, set, prompter),
              JobResult::Done);
    ASSERT_EQ(set.levelCount(), 8);
    EXPECT_EQ(set.levels[6].planes[0], Plane(kPlaneWords, 0));
    EXPECT_EQ(set.levels[6].planes[1], Plane(kPlaneWords, 0));
    EXPECT_EQ(set.levels[7].planes[1], patternPlane(8));
    EXPECT_EQ(p.counter, "8/8");
}

// A damaged file is read as far as its data goes, and one message lists what could not be.
TEST(MapArchiveReader, DamagedFileReadsOnAndListsWhatCouldNotBeRead) {
    LevelSet s = zeroSet(3);
    for (int i = 0; i < 3; ++i)
        s.levels[size_t(i)].planes[0] = patternPlane(uint16_t(i + 1));
    s.carmack = true;
    const MapArchiveBytes good = encode(s);
    auto headerAt = [&](int i) { return loadLe32(good.header.data() + 2 + 4 * i); };
    auto setLength = [&](MapArchiveBytes& b, int level, int plane, uint16_t v) {
        storeLe16(b.map.data() + headerAt(level) + 12 + 2 * plane, v);
    };
    struct Case {
        const char* what;
        std::function<void(MapArchiveBytes&)> damage;
        int levels;
        std::string lines;
    } cases[] = {
        {"cut before the last header", [&](auto& b) { b.map.resize(headerAt(2)); }, 2,
         "Map 3: its header lies outside the map file"},
        {"entry past the end", [&](auto& b) { b.header[8] = 1; }, 3,
         "Map 2: its header lies outside the map file"},
        {"cut inside the last header", [&](auto& b) { b.map.resize(headerAt(2) + 20); }, 3,
         "Map 3: its header is cut short by the end of the map file"},
        {"overlong length field", [&](auto& b) { setLength(b, 0, 1, 0xFFFF); }, 3,
         "Map 1, plane 1: its data runs past the end of the map file"},
        {"plane cut short", [&](auto& b) { setLength(b, 1, 0, 6); }, 3,
         "Map 2, plane 0: its data ends before the plane is full"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MapArchiveBytes bytes = good;
        c.damage(bytes);
        InlineProgress p;
        ScriptedPrompter prompter;
        LevelSet set;
        std::vector<std::string> damaged;
        ASSERT_EQ(
            LoadMapsWorker(p, bytes.header, bytes.map, MapReadOptions{}, set, prompter, &damaged),
            JobResult::Done);
        EXPECT_EQ(set.levelCount(), c.levels);
        EXPECT_EQ(damaged, std::vector<std::string>{c.lines});
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_EQ(prompter.messages[0].text,
                  "The map file is damaged. These parts could not be read in full:\n" + c.lines);
        EXPECT_EQ(set.levels[0].planes[0], patternPlane(1)); // the parts before are whole
    }
}

TEST(MapArchiveReader, RestoreFindsHeadersInFileOrder) {
    std::vector<uint8_t> map(100, 0);
    const uint8_t size[] = {0x40, 0, 0x40, 0};
    std::memcpy(map.data() + 10, size, 4); // too near the start: a negative entry
    std::memcpy(map.data() + 61, size, 4);
    std::array<int32_t, kMaxLevels> table{};
    EXPECT_EQ(RestoreHeaderTable(map, table), 2);
    EXPECT_EQ(table[0], -8);
    EXPECT_EQ(table[1], 43);
    EXPECT_EQ(table[2], 0);
    std::vector<uint8_t> many(4 * 600);
    for (size_t i = 0; i + 4 <= many.size(); i += 4)
        std::memcpy(many.data() + i, size, 4);
    EXPECT_EQ(RestoreHeaderTable(many, table), kMaxLevels);
}

TEST(MapArchiveReader, EmptyTableSaysThereAreNoMaps) {
    InlineProgress p;
    ScriptedPrompter prompter;
    LevelSet set;
    const std::vector<uint8_t> head{0xCD, 0xAB, 0, 0, 0, 0};
    EXPECT_EQ(LoadMapsWorker(p, head, {}, MapReadOptions{}, set, prompter), JobResult::Failed);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0], (RecordedMessage{"The map header does not point to any maps!",
                                                     "Zentrik", MessageIcon::Exclamation}));
}

// A set written to a folder under the given map file name, with MAPHEAD beside it.
void writeSet(const fs::path& map, LevelSet s) {
    const MapArchiveBytes bytes = encode(s);
    writeBytes(map, bytes.map);
    writeBytes(map.parent_path() / ("MAPHEAD" + map.extension().string()), bytes.header);
}

TEST(MapArchiveFiles, CarmackChoiceFollowsNameAndSettings) {
    TempDir dir;
    LevelSet plain = zeroSet(1);
    plain.levels[0].planes[0] = patternPlane(5);
    writeSet(dir / "maptemp.wl6", plain);
    MapFixture f;
    ASSERT_TRUE(f.load(dir / "maptemp.wl6"));
    EXPECT_FALSE(f.set.carmack);
    EXPECT_EQ(f.set.levels[0].planes[0], patternPlane(5));
    EXPECT_EQ(f.selected, std::vector<std::string>{"wl6"});

    fs::rename(dir / "maptemp.wl6", dir / "MAPTEMP.WL6");
    fs::rename(dir / "MAPHEAD.wl6", dir / "MAPHEAD.WL6");
    MapFixture g;
    g.settings.chkMaps = 1;
    g.settings.carmackExpand = 2;
    ASSERT_TRUE(g.load(dir / "LEVELS.WL6"));
    EXPECT_EQ(g.files.mapPath(), dir / "MAPTEMP.WL6");
    EXPECT_FALSE(g.set.carmack);

    MapFixture h;
    h.settings.carmackExpand = 1;
    fs::copy_file(dir / "MAPTEMP.WL6", dir / "LEVELS.WL6");
    ASSERT_TRUE(h.load(dir / "LEVELS.WL6"));
    EXPECT_TRUE(h.set.carmack);
}

TEST(MapArchiveFiles, SaveRefusesEqualTagsAndUnwritableTmp) {
    TempDir dir;
    MapFixture f;
    f.set = zeroSet(1);
    f.set.carmack = true;
    f.set.nearTag = f.set.farTag = 0xA7;
    EXPECT_FALSE(f.files.saveMaps(dir / "GAMEMAPS.WL6"));
    EXPECT_EQ(f.prompter.messages.at(0).text,
              "ERROR !\nYou can't use the same values for neartag and fartag !");
    EXPECT_FALSE(fs::exists(dir / "MAPHEAD.WL6.tmp"));

    f.set.farTag = 0xA8;
    fs::create_directories(dir / "MAPHEAD.WL6.tmp" / "blocker");
    EXPECT_FALSE(f.files.saveMaps(dir / "GAMEMAPS.WL6"));
    EXPECT_EQ(f.prompter.messages.at(1).caption,
              "Error while saving maps: Cannot open header file for writing");
    // The file the user meant and the system's reason, not the .tmp in the way.
    EXPECT_EQ(f.prompter.messages.at(1).text,
              (dir / "MAPHEAD.WL6").string() +
                  "\nSaving failed: removing an old file failed: Is a directory");
    fs::remove_all(dir / "MAPHEAD.WL6.tmp");
    fs::create_directories(dir / "GAMEMAPS.WL6.tmp" / "blocker");
    EXPECT_FALSE(f.files.saveMaps(dir / "GAMEMAPS.WL6"));
    EXPECT_EQ(f.prompter.messages.at(2).caption,
              "Error while saving maps: Cannot open data file for writing:");
    EXPECT_FALSE(fs::exists(dir / "GAMEMAPS.WL6"));
}

TEST(MapArchiveFiles, CancelledSaveLeavesTheFilesAndCarmackAlone) {
    TempDir dir;
    writeSet(dir / "GAMEMAPS.WL6", zeroSet(3));
    const auto before = readBytes(dir / "GAMEMAPS.WL6");
    MapFixture f;
    f.settings.carmackExpand = 2;
    ASSERT_TRUE(f.load(dir / "GAMEMAPS.WL6"));
    f.set.mapsModified = true;
    f.settings.carmackCompress = 1;
    f.jobs.cancelAfter = 1;
    EXPECT_FALSE(f.files.saveMaps(dir / "GAMEMAPS.WL6"));
    EXPECT_FALSE(f.set.carmack);
    EXPECT_TRUE(f.set.mapsModified);
    EXPECT_EQ(readBytes(dir / "GAMEMAPS.WL6"), before);
    f.jobs.cancelAfter = -1;
    EXPECT_TRUE(f.files.saveMaps(dir / "GAMEMAPS.WL6"));
    EXPECT_TRUE(f.set.carmack);
    EXPECT_FALSE(f.set.mapsModified);
}

} // namespace
} // namespace zentrik::test
