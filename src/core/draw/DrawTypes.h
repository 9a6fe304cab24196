#pragma once

#include <algorithm>

namespace zentrik {

// A point in chunk pixels (column x from the left, row y from the top).
struct ChunkPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ChunkPoint&) const = default;
};

// An inclusive pixel rectangle in chunk coordinates.
struct ChunkRect {
    int left = 0;
    int top = 0;
    int right = -1;
    int bottom = -1;

    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
    bool empty() const { return right < left || bottom < top; }
    bool contains(ChunkPoint p) const {
        return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom;
    }
    bool operator==(const ChunkRect&) const = default;

    // The rectangle spanned by two corners, in any order.
    static ChunkRect spanning(ChunkPoint a, ChunkPoint b) {
        return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    }
    ChunkRect intersected(const ChunkRect& o) const {
        return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
                std::min(bottom, o.bottom)};
    }
};

enum class MouseButton { Left, Right };

// Which chunk a device is showing. The undo history belongs to one chunk, so the ring compares
// these to notice that the user went on to another one.
struct ChunkKey {
    const void* collection = nullptr;
    int index = -1;
    int part = 0; // e.g. the character of a font
    bool operator==(const ChunkKey&) const = default;
};

} // namespace zentrik
