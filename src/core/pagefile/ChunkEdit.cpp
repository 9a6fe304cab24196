#include "pagefile/ChunkEdit.h"

#include "pagefile/SpriteDecoder.h"
#include "pagefile/SpriteEncoder.h"

#include <algorithm>

namespace zentrik {

namespace {

template <class Set> int insertAt(const Set& set, int current) {
    return set.images.empty() ? 0 : std::clamp(current, 0, set.count() - 1) + 1;
}

int clampCurrent(int current, int count) {
    return std::max(0, std::min(current, count - 1));
}

} // namespace

int insertWall(WallSet& set, int current, uint8_t fill) {
    const int at = insertAt(set, current);
    // A set that had no wall yet takes the side it was made with (64 unless changed).
    set.textureBytes = set.side * set.side;
    set.raw.resize(size_t(set.count()) * size_t(set.textureBytes));
    set.raw.insert(set.raw.begin() + std::ptrdiff_t(size_t(at) * size_t(set.textureBytes)),
                   size_t(set.textureBytes), fill);
    set.images.insert(set.images.begin() + at, IndexedImage(set.side, fill));
    return at;
}

int insertSprite(SpriteSet& set, int current) {
    const int at = insertAt(set, current);
    set.images.insert(set.images.begin() + at, IndexedImage(set.side, TransparentIndex));
    return at;
}

int removeWall(WallSet& set, int current) {
    if (current < 0 || current >= set.count())
        return clampCurrent(current, set.count());
    const size_t slot = size_t(set.textureBytes);
    const size_t from = size_t(current) * slot;
    if (set.raw.size() >= from + slot)
        set.raw.erase(set.raw.begin() + std::ptrdiff_t(from),
                      set.raw.begin() + std::ptrdiff_t(from + slot));
    set.images.erase(set.images.begin() + current);
    set.raw.resize(size_t(set.count()) * slot);
    return clampCurrent(current, set.count());
}

int removeSprite(SpriteSet& set, int current) {
    if (current >= 0 && current < set.count())
        set.images.erase(set.images.begin() + current);
    return clampCurrent(current, set.count());
}

IndexedImage spriteRoundTrip(const IndexedImage& sprite) {
    return DecodeSprite(CompressSpriteShared(sprite), sprite.side);
}

} // namespace zentrik
