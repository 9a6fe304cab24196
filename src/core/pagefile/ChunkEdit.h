#pragma once

#include "pagefile/PageFile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zentrik {

// The texture and sprite pages' Insert and Remove. Walls keep their raw block in step with
// the images, slot for slot, so the 3D view and the writer see the same walls as the page.

// A new wall filled with `fill` right after `current` (as wall 0 into an empty set); returns
// its index, which becomes the current one.
int insertWall(WallSet& set, int current, uint8_t fill);
// A new fully transparent sprite after `current`; returns its index.
int insertSprite(SpriteSet& set, int current);

// Remove the chunk `current` (nothing happens when it does not exist); returns the new
// current index, clamped to count - 1 and to 0.
int removeWall(WallSet& set, int current);
int removeSprite(SpriteSet& set, int current);

// A removed chunk as Remove found it, so that the removal can be undone.
struct ChunkCopy {
    std::optional<IndexedImage> image;
    std::vector<uint8_t> raw;  // a wall's raw slot, or a picture's planar pixels
    int width = 0, height = 0; // a picture's size
};
ChunkCopy copyWall(const WallSet& set, int index);
ChunkCopy copySprite(const SpriteSet& set, int index);
// Puts a removed chunk back at `index` (clamped to the count); the chunks from there move up.
void restoreWall(WallSet& set, int index, ChunkCopy copy);
void restoreSprite(SpriteSet& set, int index, ChunkCopy copy);

// What an Insert or Remove renumbers, for the question before it: "Walls 12–105 become
// 13–106; the game addresses walls by number". `first`..`last` are the chunks that move by
// `delta`; empty when none moves.
std::string shiftNotice(const std::string& plural, int first, int last, int delta);

// The sprite test window's second picture: the sprite encoded with the shared encoder and
// decoded again at the set's side, so a 128-pixel sprite is not cut to its top-left quarter.
IndexedImage spriteRoundTrip(const IndexedImage& sprite);

} // namespace zentrik
