#pragma once

// A crafted level for the 3D view: 16 walls of one colour each (100 + wall number), sprites of
// one colour each (200 + sprite number), the default doors, pushwalls and floor codes.
#include "world/RayCaster.h"
#include "world/SymbolSet.h"
#include "world/Viewer.h"

#include <memory>

namespace zentrik::test {

struct WorldScene {
    static constexpr int kWalls = 16;
    static constexpr int kSprites = 8;

    Level level = Level::blank(false);
    SymbolSet symbols;
    WallSet walls;
    SpriteSet sprites;
    WorldMap map;
    std::unique_ptr<WorldFrame> frame = std::make_unique<WorldFrame>();
    RenderOptions options;

    WorldScene() {
        applySymbolSetDefaults(symbols);
        walls.raw.assign(size_t(kWalls) * kLowTextureBytes, 0);
        walls.images.resize(kWalls);
        for (int w = 0; w < kWalls; ++w)
            std::fill_n(walls.raw.begin() + w * kLowTextureBytes, kLowTextureBytes,
                        uint8_t(100 + w));
        for (int s = 0; s < kSprites; ++s)
            sprites.images.emplace_back(IndexedImage(kLowSide, uint8_t(200 + s)));
    }
    void wall(int x, int y, uint16_t v) { level.planes[0][size_t(y * kMapSide + x)] = v; }
    void object(int x, int y, uint16_t v) { level.planes[1][size_t(y * kMapSide + x)] = v; }
    void describe(uint16_t value, uint16_t sprite, uint8_t type, uint8_t difficulty = 0) {
        symbols.objects.objects[value] = {sprite, type, 0, difficulty};
    }
    void build(int difficulty = kDifficultyAll) { map.build(&level, symbols.objects, difficulty); }
    const WorldFrame& render(double x, double y, int angle) {
        ViewerPose pose{int32_t(x * 65536), int32_t(y * 65536), angle};
        renderFrame({&map, &walls, &sprites, nullptr}, pose, options, *frame);
        return *frame;
    }
    const ColumnHit& column(int c) const { return frame->columns[size_t(c)]; }
};

} // namespace zentrik::test
