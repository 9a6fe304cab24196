// A picture of shareware level 1 drawn with the generated symbols, saved into the build folder
// (wl1-level1.bmp) so anyone can judge at a glance how a map reads; and the built-in level.
#include "maps/MapArchiveReader.h"
#include "TestSupport.h"
#include "world/BuiltinResources.h"
#include "world/SymbolSet.h"

#include <gtest/gtest.h>

namespace zentrik::test {
namespace {

namespace fs = std::filesystem;

const fs::path kDataDir = fs::path(ZENTRIK_SOURCE_DIR) / "data";
constexpr int kPitch = kSymbolSize + 1; // grid on
constexpr int kPictureSide = 64 * kPitch + 1;
constexpr uint16_t kGridColour = (6 << 10) | (6 << 5) | 6;

// The map view's cell rule: the wall symbol, then the object's pixels wherever one of their
// channels is above 2.
std::vector<uint16_t> drawLevel(const Plane& walls, const Plane& objects, const SymbolStrip& s) {
    std::vector<uint16_t> px(size_t(kPictureSide) * kPictureSide, kGridColour);
    for (int i = 0; i < kPlaneWords; ++i) {
        const Symbol wall =
            s.symbol(SymbolStrip::plane0Index(std::min<uint16_t>(walls[size_t(i)], 511)));
        const uint16_t o = objects[size_t(i)];
        const Symbol obj = s.symbol(SymbolStrip::objectIndex(std::min<uint16_t>(o, 511)));
        for (int k = 0; k < kSymbolSize * kSymbolSize; ++k) {
            const uint16_t op = obj[size_t(k)];
            const bool see = ((op >> 10) & 31) > 2 || ((op >> 5) & 31) > 2 || (op & 31) > 2;
            const int x = (i % 64) * kPitch + 1 + k % kSymbolSize;
            const int y = (i / 64) * kPitch + 1 + k / kSymbolSize;
            px[size_t(y * kPictureSide + x)] = o != 0 && see ? op : wall[size_t(k)];
        }
    }
    return px;
}

// A 24-bit bitmap, bottom row first, rows padded to four bytes.
std::vector<uint8_t> bmp24(const std::vector<uint16_t>& px, int side) {
    const int row = (side * 3 + 3) / 4 * 4;
    const uint32_t size = 54 + uint32_t(row * side);
    std::vector<uint8_t> out(size, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int b = 0; b < 4; ++b)
            out[at + size_t(b)] = uint8_t(v >> (8 * b));
    };
    out[0] = 'B', out[1] = 'M';
    put32(2, size), put32(10, 54), put32(14, 40), put32(18, uint32_t(side)),
        put32(22, uint32_t(side));
    out[26] = 1, out[28] = 24;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const uint16_t p = px[size_t(y * side + x)];
            const size_t at = 54 + size_t((side - 1 - y) * row + x * 3);
            out[at] = uint8_t((p & 31) << 3);
            out[at + 1] = uint8_t(((p >> 5) & 31) << 3);
            out[at + 2] = uint8_t(((p >> 10) & 31) << 3);
        }
    return out;
}

TEST(MapPicture, SharewareLevelOneIsSavedIntoTheBuildFolder) {
    ZENTRIK_REQUIRE_GAMEDATA();
    StrictPrompter p;
    const SymbolSet set = LoadSymbolSet(kDataDir, "Wolfenstein 3D", p);
    InlineProgress progress;
    LevelSet maps;
    ASSERT_EQ(LoadMapsWorker(progress, readGameFile("wl1/MAPHEAD.WL1"),
                             readGameFile("wl1/GAMEMAPS.WL1"), MapReadOptions{}, maps, p),
              JobResult::Done);
    const Level& level = maps.levels.at(0);
    const auto px = drawLevel(level.planes[0], level.planes[1], set.strip);
    // Every cell shows something: no map value of level 1 falls on a black symbol.
    for (int i = 0; i < kPlaneWords; ++i) {
        const int x0 = (i % 64) * kPitch + 1, y0 = (i / 64) * kPitch + 1;
        bool lit = false;
        for (int k = 0; k < kSymbolSize * kSymbolSize && !lit; ++k)
            lit = px[size_t((y0 + k / kSymbolSize) * kPictureSide + x0 + k % kSymbolSize)] != 0;
        EXPECT_TRUE(lit) << "cell " << i;
    }
    const fs::path out = fs::path(ZENTRIK_BINARY_DIR) / "wl1-level1.bmp";
    writeBytes(out, bmp24(px, kPictureSide));
    EXPECT_EQ(readBytes(out).size(), 54u + size_t((kPictureSide * 3 + 3) / 4 * 4) * kPictureSide);
    const auto start =
        drawLevel(Plane(kStartupLevelWalls.begin(), kStartupLevelWalls.end()),
                  Plane(kStartupLevelObjects.begin(), kStartupLevelObjects.end()), set.strip);
    writeBytes(fs::path(ZENTRIK_BINARY_DIR) / "startup-level.bmp", bmp24(start, kPictureSide));
    EXPECT_TRUE(p.messages.empty());
}

TEST(BuiltinResources, StartupLevelUsesNamedValuesAndOneStart) {
    StrictPrompter p;
    const SymbolSet set = LoadSymbolSet(kDataDir, "Wolfenstein 3D", p);
    ASSERT_EQ(sizeof(kStartupLevelWalls) + sizeof(kStartupLevelObjects), 16384u);
    for (uint16_t v : kStartupLevelWalls)
        EXPECT_TRUE(v == 0 || set.names.plane0.count(v)) << v;
    int starts = 0;
    for (uint16_t v : kStartupLevelObjects) {
        EXPECT_TRUE(v == 0 || set.names.objects.count(v)) << v;
        starts += set.objects.at(v).type == kObjectPlayerStart;
    }
    EXPECT_EQ(starts, 1);
    // Objects stand on floor, never inside a wall, except the pushwall marker.
    for (int i = 0; i < kPlaneWords; ++i) {
        const uint16_t o = kStartupLevelObjects[size_t(i)], w = kStartupLevelWalls[size_t(i)];
        if (set.objects.pushwalls.count(o)) {
            EXPECT_TRUE(w >= 1 && w <= 63) << "cell " << i;
        } else if (o != 0) {
            EXPECT_TRUE(set.objects.floorCodes.count(w)) << "cell " << i;
        }
    }
    ASSERT_EQ(kStartupTextScreen.size(), 4000u);
    for (size_t i = 1; i < kStartupTextScreen.size(); i += 2)
        EXPECT_NE(kStartupTextScreen[i], 0) << "cell " << i / 2 << " has no colour";
}

} // namespace
} // namespace zentrik::test
