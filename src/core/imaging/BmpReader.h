#pragma once

#include "imaging/Palette.h"
#include "Result.h"

#include <cstdint>
#include <span>
#include <vector>

namespace zentrik {

// Windows bitmap layout: a 14-byte file header ("BM", the pixel-data offset at byte 10), an
// information header of at least 40 bytes, a colour table for 1 to 8 bits per pixel, and rows
// padded to four bytes.
inline constexpr size_t kBmpFileHeaderBytes = 14;
inline constexpr size_t kBmpInfoHeaderBytes = 40;
inline constexpr size_t kBmpDataOffsetAt = 10;
inline constexpr uint16_t kBmpType = 0x4D42; // "BM"
inline constexpr int kBmpMaxSide = 32768;    // exclusive

inline size_t bmpStride(int width, int depth) {
    return ((size_t(width) * size_t(depth) + 7) / 8 + 3) / 4 * 4;
}

// A bitmap as read: 1, 4, 8, 16, 24 or 32 bits per pixel, uncompressed.
struct BmpPicture {
    int width = 0;
    int height = 0;
    int depth = 0;
    bool topDown = false;   // stored top row first (negative height in the file)
    bool truncated = false; // the file ends inside the pixel data; the rest reads as zeros
    std::vector<Rgb> colorTable;
    std::vector<uint8_t> bits; // as many pixel bytes as the file held, at most height x stride
    size_t stride = 0;
    // Opacity per pixel, top row first (PNG); empty when every pixel is opaque.
    std::vector<uint8_t> alpha;

    // Pixel (x, y), y counted from the top, as a colour.
    Rgb pixel(int x, int y) const;
    // The colour-table index of an 8-bit pixel.
    uint8_t index(int x, int y) const;
    bool opaque(int x, int y) const {
        return alpha.empty() || alpha[size_t(y) * size_t(width) + size_t(x)] >= 128;
    }
    // Whether the colour table is the palette entry for entry, so that the picture's indices
    // mean what they mean in the game: such a picture is taken over index for index.
    bool indexedWith(const GamePalette& palette) const;
};

// Errors carry the program's texts: "Not a bitmap!", the compression refusal, "This picture
// is too large ..." and a refusal of other depths.
Result<BmpPicture> readBmp(std::span<const uint8_t> file);

} // namespace zentrik
