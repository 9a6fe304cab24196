#include "world/RayCaster.h"

#include "imaging/ColorMatch.h"
#include "world/RayCasterInternal.h"

#include <algorithm>

namespace zentrik {

using namespace raycast;

void FloorSymbolColors::rebuild(const SymbolStrip& strip, const GamePalette& palette) {
    for (int v = 0; v < kPlane0Symbols; ++v) {
        const Symbol sym = strip.symbol(SymbolStrip::plane0Index(uint16_t(v)));
        for (size_t i = 0; i < sym.size(); ++i) {
            const uint16_t c = sym[i];
            const auto ch = [c](int shift) { return uint8_t(((c >> shift) & 31) * 255 / 31); };
            m_colors[size_t(v) * 49 + i] = FindNearestColor(palette, ch(10), ch(5), ch(0));
        }
    }
}

WallSet symbolWalls(const FloorSymbolColors& colors) {
    constexpr int kPages = 2 * kMaxWallValue + 8;
    WallSet w;
    w.raw.resize(size_t(kPages) * kLowTextureBytes);
    w.images.resize(kPages);
    for (int page = 0; page < kPages; ++page) {
        const uint16_t value = page < 2 * kMaxWallValue
                                   ? uint16_t(page / 2 + 1)
                                   : uint16_t(90 + (page - 2 * kMaxWallValue) % 2);
        for (int c = 0; c < kLowSide; ++c)
            for (int r = 0; r < kLowSide; ++r)
                w.raw[size_t(page) * kLowTextureBytes + size_t(c * kLowSide + r)] =
                    colors.at(value, c * 7 / kLowSide, r * 7 / kLowSide);
    }
    return w;
}

int resolveWallTexture(int texture, const WallSet* walls) {
    if (!walls)
        return -1;
    const int count = walls->count();
    const int t = texture < 0 ? count + texture : texture;
    return t >= 0 && t < count && walls->raw.size() >= size_t(t + 1) * size_t(walls->textureBytes)
               ? t
               : -1;
}

void renderFrame(const RenderScene& scene, const ViewerPose& pose, const RenderOptions& options,
                 WorldFrame& frame) {
    FrameState s(frame.geometry);
    s.scene = &scene;
    s.options = &options;
    const int angle = ((pose.angle % 360) + 360) % 360;
    s.viewFine = angle * 10;
    s.viewCos = s.t.cosDeg(angle);
    s.viewSin = s.t.sinDeg(angle);
    // Any pose draws: one off the map looks from its edge.
    const int32_t x = std::clamp(pose.x, 0, kMapSide * kTileGlobal);
    const int32_t y = std::clamp(pose.y, 0, kMapSide * kTileGlobal);
    s.viewX = x - fixedMul(kFocalLength, s.viewCos);
    s.viewY = y + fixedMul(kFocalLength, s.viewSin);
    prepareFlats(s);
    frame.visible.reset();
    frame.spriteCount = 0;
    castColumns(s, frame);
    drawThings(s, frame);
    drawHoverOutline(s, frame);
}

} // namespace zentrik
