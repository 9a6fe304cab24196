#pragma once

#include "pagefile/PageFile.h"

#include <cstdint>

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

// The sprite test window's second picture: the sprite encoded with the shared encoder and
// decoded again at the set's side, so a 128-pixel sprite is not cut to its top-left quarter.
IndexedImage spriteRoundTrip(const IndexedImage& sprite);

} // namespace zentrik
