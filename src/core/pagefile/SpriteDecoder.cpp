#include "pagefile/SpriteDecoder.h"

#include "io/ByteReader.h"

#include <algorithm>

namespace zentrik {

namespace {

// Copies the posts of one column; stops quietly at the first record that leaves the chunk.
void decodeColumn(std::span<const uint8_t> chunk, size_t listOffset, int x, IndexedImage& image) {
    ByteReader r(chunk);
    r.seek(listOffset);
    for (;;) {
        auto endField = r.u16();
        if (!endField || *endField == 0)
            return;
        auto base = r.i16();
        auto startField = r.u16();
        if (!base || !startField)
            return;
        const int start = *startField / 2;
        const int end = *endField / 2;
        // The pixel base is meant as a signed value, but a 128 x 128 sprite may put its pixels
        // past 32 KiB; counting modulo 65536 (as 16-bit offsets do) reads both right.
        const size_t first = uint16_t(*base + start);
        if (end <= start)
            continue;
        if (first >= chunk.size() || size_t(end - start) > chunk.size() - first)
            return;
        for (int y = start; y < std::min(end, image.side); ++y)
            image.set(x, y, chunk[first + size_t(y - start)]);
    }
}

} // namespace

std::optional<SpriteColumns> spriteColumns(std::span<const uint8_t> chunk) {
    ByteReader r(chunk);
    auto left = r.u16();
    auto right = r.u16();
    if (!left || !right)
        return std::nullopt;
    return SpriteColumns{*left, *right};
}

IndexedImage DecodeSprite(std::span<const uint8_t> chunk, int side) {
    IndexedImage image(side, TransparentIndex);
    auto cols = spriteColumns(chunk);
    if (!cols)
        return image;
    ByteReader table(chunk);
    table.seek(kSpriteHeaderBytes);
    for (int c = 0; cols->left + c <= cols->right; ++c) {
        const int x = cols->left + c;
        auto listOffset = table.u16();
        // A list needs at least its terminator inside the chunk; a column table that runs
        // out, or a column past the image, ends the sprite.
        if (!listOffset || x >= side || size_t(*listOffset) + kPostTerminatorBytes > chunk.size())
            break;
        decodeColumn(chunk, *listOffset, x, image);
    }
    return image;
}

} // namespace zentrik
