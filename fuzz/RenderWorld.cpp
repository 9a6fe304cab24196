// Random planes, object descriptions, doors and poses through the 3D view: a frame, a pick at
// a random pixel, the edit it leads to, and a walk. Nothing may read outside a table.
#include "world/RayCaster.h"
#include "world/SymbolSet.h"
#include "world/Viewer.h"
#include "world/WorldEdit.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

using namespace zentrik;

struct Bytes {
    const uint8_t* p;
    size_t n, at = 0;
    uint8_t u8() { return at < n ? p[at++] : 0; }
    uint16_t u16() { return uint16_t(u8() | u8() << 8); }
    int32_t i32() { return int32_t(uint32_t(u16()) | uint32_t(u16()) << 16); }
};

struct Resources {
    WallSet walls;
    SpriteSet sprites;
    Resources() {
        walls.raw.assign(size_t(12) * kLowTextureBytes, 7);
        walls.images.resize(12);
        for (int s = 0; s < 6; ++s)
            sprites.images.emplace_back(IndexedImage(kLowSide, uint8_t(s * 40)));
        sprites.images[2].reset(); // an absent sprite
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const Resources res;
    Bytes in{data, size};
    const ViewerPose pose{in.i32(), in.i32(), int(int16_t(in.u16()))};
    RenderOptions options;
    options.floorMode = FloorMode(in.u8() % 4);
    options.floorSymbols = in.u8() & 1;
    options.hoverWall = int(int16_t(in.u16()));
    options.hoverCell = int(int16_t(in.u16()));
    const int px = int(int16_t(in.u16())), py = int(int16_t(in.u16()));
    const uint16_t pen = in.u16();

    SymbolSet symbols;
    for (int d = in.u8() % 80; d > 0; --d)
        symbols.objects.doors.push_back(
            {in.u16(), int(int8_t(in.u8())), bool(in.u8() & 1), 0, int(int8_t(in.u8()))});
    for (int d = in.u8() % 16; d > 0; --d)
        symbols.objects.objects[in.u16()] = {in.u16(), uint8_t(in.u8() % 8), in.u8(), in.u8()};
    applySymbolSetDefaults(symbols);

    Level level = Level::blank(in.u8() & 1);
    for (int p = 0; p < kMaxPlanes; ++p)
        for (uint16_t& w : level.planes[size_t(p)])
            w = in.at < in.n ? in.u16() : uint16_t(0);
    auto map = std::make_unique<WorldMap>();
    map->build(&level, symbols.objects, 1 + in.u8() % 4);
    FloorSymbolColors colors;
    auto frame = std::make_unique<WorldFrame>();
    renderFrame({map.get(), &res.walls, &res.sprites, &colors}, pose, options, *frame);

    const WorldPick pick = pickAt(*frame, pose, px, py);
    applyWorldEdit(level, *map, symbols.objects, pick, WorldEditPlane(pen % 4), pen,
                   options.floorMode, {bool(pen & 0x100), bool(pen & 0x200)});
    FakeClock clock;
    ViewerMotion motion(clock);
    motion.pose = pose;
    motion.key(ViewKey::Up, true);
    motion.key(ViewKey::Left, true);
    clock.advance(uint32_t(in.i32()));
    motion.tick(*map);
    return 0;
}
