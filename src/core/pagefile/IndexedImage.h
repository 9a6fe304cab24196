#pragma once

#include "imaging/Palette.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace zentrik {

// In sprites this index means "no pixel"; every index of 255 or more counts as transparent, so
// a sprite cannot show palette colour 255.
inline constexpr uint8_t TransparentIndex = kTransparentIndex;

// A square picture of side x side palette indices, stored row by row with the bottom row first
// (the row order of a device-independent bitmap), so that a bitmap's pixel rows can be written
// out or read in without turning them round.
struct IndexedImage {
    int side = 0;
    std::vector<uint8_t> pixels;

    IndexedImage() = default;
    IndexedImage(int side, uint8_t fill) : side(side), pixels(size_t(side) * size_t(side), fill) {}

    size_t indexOf(int x, int y) const { return size_t(side - 1 - y) * size_t(side) + size_t(x); }
    // (x, y) with y counted from the top.
    uint8_t at(int x, int y) const { return pixels[indexOf(x, y)]; }
    void set(int x, int y, uint8_t v) { pixels[indexOf(x, y)] = v; }

    bool operator==(const IndexedImage&) const = default;
};

// The page file keeps walls column by column (byte x*N + y is column x, row y from the top).
IndexedImage imageFromColumns(std::span<const uint8_t> columns, int side);
void columnsFromImage(const IndexedImage& image, std::span<uint8_t> columns);

} // namespace zentrik
