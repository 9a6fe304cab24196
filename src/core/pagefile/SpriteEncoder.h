#pragma once

#include "pagefile/IndexedImage.h"

#include <cstdint>
#include <vector>

namespace zentrik {

// The values of the SpriteCompression setting: 1 shares pixel runs and post lists, every
// other value (the disabled "Best" too) writes plainly.
inline constexpr int kSpriteCompressionNone = 0;
inline constexpr int kSpriteCompressionGood = 1;

// One post list per column, pixels of each post right before its column's list; columns
// without posts share the first terminator.
std::vector<uint8_t> CompressSpritePlain(const IndexedImage& image);

// Pixel runs stored once: runs found inside longer runs reuse their bytes, runs that start
// with another's end are written overlapped, and a column whose records occur anywhere in the
// lists already written points there. Never longer than the plain encoding.
std::vector<uint8_t> CompressSpriteShared(const IndexedImage& image);

std::vector<uint8_t> CompressSprite(const IndexedImage& image, int spriteCompression);

namespace sprite_detail {

struct Post {
    int column = 0;
    int start = 0;
    int end = 0; // exclusive
    int length() const { return end - start; }
};

// The first and last column with an opaque pixel (both 0 for an empty image).
void opaqueColumns(const IndexedImage& image, int& left, int& right);
// A column's posts, top to bottom: maximal runs of opaque rows.
std::vector<Post> columnPosts(const IndexedImage& image, int x);

} // namespace sprite_detail

} // namespace zentrik
