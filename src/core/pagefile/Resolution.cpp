#include "pagefile/Resolution.h"

#include <cstdio>

namespace zentrik {

namespace {

constexpr int64_t kSub = 256; // sample positions in 1/256 pixel
constexpr int64_t kWeightSum = kSub * kSub;
constexpr int kBlendStep = 127;       // 128 new pixels over 127 old ones: X * 16256 / 128
constexpr int kShrinkStep = 512;      // two old pixels per new one
constexpr int kShrinkOffset = 128;    // halfway, so the four old pixels weigh alike
constexpr int64_t kOpaqueLimit = 127; // a mix more than half transparent stays transparent

// The nearest colour for an opaque sprite pixel: index 255 would make it transparent, so the
// nearest of the other 255 entries is taken instead.
uint8_t opaqueMatch(const GamePalette& palette, NearestColorTable& colors, uint8_t r, uint8_t g,
                    uint8_t b) {
    const uint8_t i = colors.MatchColor(r, g, b);
    if (i != TransparentIndex)
        return i;
    GamePalette others = palette;
    others.entries[TransparentIndex] = palette.entries[0];
    return FindNearestColor(others, r, g, b);
}

uint8_t sample(const IndexedImage& in, int64_t u, int64_t v, bool sprite,
               const GamePalette& palette, NearestColorTable& colors) {
    const int s = in.side;
    const int cu = int(u / kSub) % s, cv = int(v / kSub) % s;
    const int nu = (cu + 1) % s, nv = (cv + 1) % s;
    const int64_t fu = u % kSub, fv = v % kSub;
    const int xs[4] = {cu, nu, cu, nu}, ys[4] = {cv, cv, nv, nv};
    const int64_t w[4] = {(kSub - fu) * (kSub - fv), fu * (kSub - fv), (kSub - fu) * fv, fu * fv};
    int64_t r = 0, g = 0, b = 0, clear = 0;
    for (int k = 0; k < 4; ++k) {
        const uint8_t index = in.at(xs[k], ys[k]);
        const bool transparent = sprite && index == TransparentIndex;
        const Rgb c = palette.entries[transparent ? 0 : index];
        r += w[k] * c.r;
        g += w[k] * c.g;
        b += w[k] * c.b;
        clear += transparent ? w[k] * 255 : 0;
    }
    if (sprite && clear / kWeightSum > kOpaqueLimit)
        return TransparentIndex;
    const uint8_t cr = uint8_t(r / kWeightSum), cg = uint8_t(g / kWeightSum),
                  cb = uint8_t(b / kWeightSum);
    return sprite ? opaqueMatch(palette, colors, cr, cg, cb) : colors.MatchColor(cr, cg, cb);
}

int targetSide(int side, ResolutionChange change) {
    if (change == ResolutionChange::Shrink)
        return side == kHighSide ? kLowSide : 0;
    return side == kLowSide ? kHighSide : 0;
}

const char* statusOf(ResolutionChange change, bool sprites) {
    switch (change) {
    case ResolutionChange::Blend:
        return sprites ? "Blending all sprites to high resolution..."
                       : "Blending all textures to high resolution...";
    case ResolutionChange::Stretch:
        return sprites ? "Stretching all sprites to high resolution..."
                       : "Stretching all textures to high resolution...";
    default:
        return sprites ? "Shrinking all sprites to normal resolution..."
                       : "Shrinking all textures to normal resolution...";
    }
}

std::string counter(int i, int n) {
    char text[32];
    std::snprintf(text, sizeof text, "%i/%i", i, n);
    return text;
}

// Runs the change over every image; false after Cancel.
bool changeAll(const std::vector<std::optional<IndexedImage>>& in, ResolutionChange change,
               bool sprites, const GamePalette& palette, NearestColorTable& colors,
               Progress& progress, std::vector<std::optional<IndexedImage>>& out) {
    const int n = int(in.size());
    progress.setPhase(statusOf(change, sprites));
    progress.setCounter("0/" + std::to_string(n));
    progress.setRange(0, n);
    progress.setPosition(0);
    if (change != ResolutionChange::Stretch)
        colors.clearIfStale();
    out.assign(in.size(), std::nullopt);
    for (int i = 0; i < n; ++i) {
        if (progress.cancelled())
            return false;
        if (in[size_t(i)])
            out[size_t(i)] =
                changeImageResolution(*in[size_t(i)], change, sprites, palette, colors);
        progress.setCounter(counter(i + 1, n));
        progress.setPosition(i + 1);
    }
    return true;
}

} // namespace

IndexedImage changeImageResolution(const IndexedImage& in, ResolutionChange change, bool sprite,
                                   const GamePalette& palette, NearestColorTable& colors) {
    const int side = targetSide(in.side, change);
    IndexedImage out(side, 0);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            uint8_t v = 0;
            if (change == ResolutionChange::Stretch)
                v = in.at(x / 2, y / 2);
            else if (change == ResolutionChange::Blend)
                v = sample(in, int64_t(x) * kBlendStep, int64_t(y) * kBlendStep, sprite, palette,
                           colors);
            else
                v = sample(in, int64_t(x) * kShrinkStep + kShrinkOffset,
                           int64_t(y) * kShrinkStep + kShrinkOffset, sprite, palette, colors);
            out.set(x, y, v);
        }
    return out;
}

int ChangeWallResolutionWorker(const WallSet& in, ResolutionChange change,
                               const GamePalette& palette, NearestColorTable& colors,
                               Progress& progress, WallSet& out) {
    const int side = targetSide(in.side, change);
    if (side == 0)
        return JobResult::FailedUntouched;
    WallSet set;
    set.side = side;
    set.textureBytes = side * side;
    if (!changeAll(in.images, change, false, palette, colors, progress, set.images))
        return JobResult::Failed;
    set.raw.assign(size_t(set.count()) * size_t(set.textureBytes), 0);
    for (int i = 0; i < set.count(); ++i)
        if (set.images[size_t(i)])
            columnsFromImage(*set.images[size_t(i)], set.slot(i));
    out = std::move(set);
    return JobResult::Done;
}

int ChangeSpriteResolutionWorker(const SpriteSet& in, ResolutionChange change,
                                 const GamePalette& palette, NearestColorTable& colors,
                                 Progress& progress, SpriteSet& out) {
    const int side = targetSide(in.side, change);
    if (side == 0)
        return JobResult::FailedUntouched;
    SpriteSet set;
    set.side = side;
    set.textureBytes = side * side;
    set.highRes = side == kHighSide;
    if (!changeAll(in.images, change, true, palette, colors, progress, set.images))
        return JobResult::Failed;
    out = std::move(set);
    return JobResult::Done;
}

} // namespace zentrik
