#pragma once

#include "pagefile/IndexedImage.h"

#include <cstdint>
#include <optional>
#include <span>

namespace zentrik {

// A sprite chunk: u16 left and right column, one u16 post-list offset per column, then pixel
// bytes and post lists. A post record is (end row * 2, pixel base as i16, start row * 2); a
// list ends with a u16 0 where the next record's first field would be. Offsets are relative
// to the chunk.
inline constexpr size_t kSpriteHeaderBytes = 4;
inline constexpr size_t kPostRecordBytes = 6;
inline constexpr size_t kPostTerminatorBytes = 2;

struct SpriteColumns {
    uint16_t left = 0;
    uint16_t right = 0;
};

// The first two fields, when the chunk holds them.
std::optional<SpriteColumns> spriteColumns(std::span<const uint8_t> chunk);

// Decodes a sprite into an image of the given side (64 or 128) whose background is
// TransparentIndex. Nothing outside the chunk is read: a column whose offset or post list
// leaves the chunk ends the decoding of that column (or, when even its terminator cannot lie
// inside, of the sprite), and posts are clipped to the image.
IndexedImage DecodeSprite(std::span<const uint8_t> chunk, int side);

} // namespace zentrik
