#include "pagefile/ChunkEdit.h"

#include "pagefile/SpriteDecoder.h"
#include "pagefile/SpriteEncoder.h"

#include <algorithm>
#include <cctype>

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

ChunkCopy copyWall(const WallSet& set, int index) {
    ChunkCopy copy;
    if (index < 0 || index >= set.count())
        return copy;
    copy.image = set.images[size_t(index)];
    const auto slot = set.slot(index);
    if (set.raw.size() >= size_t(index + 1) * size_t(set.textureBytes))
        copy.raw.assign(slot.begin(), slot.end());
    return copy;
}

ChunkCopy copySprite(const SpriteSet& set, int index) {
    ChunkCopy copy;
    if (index >= 0 && index < set.count())
        copy.image = set.images[size_t(index)];
    return copy;
}

void restoreWall(WallSet& set, int index, ChunkCopy copy) {
    index = std::clamp(index, 0, set.count());
    const size_t slot = size_t(set.textureBytes);
    copy.raw.resize(slot, 0);
    set.raw.resize(size_t(set.count()) * slot);
    set.raw.insert(set.raw.begin() + std::ptrdiff_t(size_t(index) * slot), copy.raw.begin(),
                   copy.raw.end());
    set.images.insert(set.images.begin() + index, std::move(copy.image));
}

void restoreSprite(SpriteSet& set, int index, ChunkCopy copy) {
    index = std::clamp(index, 0, set.count());
    set.images.insert(set.images.begin() + index, std::move(copy.image));
}

std::string shiftNotice(const std::string& plural, int first, int last, int delta) {
    if (first > last)
        return {};
    std::string lower = plural;
    for (char& c : lower)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    auto range = [](int a, int b) {
        return a == b ? std::to_string(a) : std::to_string(a) + "\u2013" + std::to_string(b);
    };
    const bool one = first == last;
    const std::string name = one ? plural.substr(0, plural.size() - 1) : plural;
    return name + " " + range(first, last) + (one ? " becomes " : " become ") +
           range(first + delta, last + delta) + "; the game addresses " + lower + " by number";
}

IndexedImage spriteRoundTrip(const IndexedImage& sprite) {
    return DecodeSprite(CompressSpriteShared(sprite), sprite.side);
}

} // namespace zentrik
