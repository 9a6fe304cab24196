#include "draw/ZoomView.h"

#include <algorithm>
#include <array>

namespace zentrik {

namespace {
constexpr std::array<int, 3> kSteps64{6, 8, 16};
constexpr std::array<int, 4> kSteps128{3, 4, 8, 16};
constexpr int kWideChunk = 64; // wider chunks use the finer steps

int floorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}
} // namespace

std::span<const int> ZoomView::steps(int chunkWidth) {
    if (chunkWidth > kWideChunk)
        return kSteps128;
    return kSteps64;
}

int ZoomView::initialMagnification(int chunkWidth) {
    return steps(chunkWidth).front();
}

void ZoomView::reset(int chunkWidth) {
    magnification = initialMagnification(chunkWidth);
    scrollX = scrollY = 0;
}

bool ZoomView::needsScrollBars(int chunkWidth, int chunkHeight) const {
    return chunkWidth * magnification > kViewPixels || chunkHeight * magnification > kViewPixels;
}

int ZoomView::viewPixels(int chunkWidth, int chunkHeight) const {
    return needsScrollBars(chunkWidth, chunkHeight) ? kViewPixelsWithScrollBars : kViewPixels;
}

ChunkPoint ZoomView::toChunk(int screenX, int screenY) const {
    const int m = std::max(1, magnification); // pages may compute theirs from the chunk's size
    return {floorDiv(screenX, m) + scrollX, floorDiv(screenY, m) + scrollY};
}

bool ZoomView::zoomIn(ChunkPoint centre, int chunkWidth, int chunkHeight) {
    const auto s = steps(chunkWidth);
    const auto next = std::upper_bound(s.begin(), s.end(), magnification);
    if (next == s.end())
        return false;
    magnification = *next;
    centreOn(centre, chunkWidth, chunkHeight);
    return true;
}

bool ZoomView::zoomOut(ChunkPoint centre, int chunkWidth, int chunkHeight) {
    const auto s = steps(chunkWidth);
    const auto next = std::lower_bound(s.begin(), s.end(), magnification);
    if (next == s.begin())
        return false;
    magnification = *(next - 1);
    centreOn(centre, chunkWidth, chunkHeight);
    return true;
}

void ZoomView::centreOn(ChunkPoint centre, int chunkWidth, int chunkHeight) {
    const int visible = viewPixels(chunkWidth, chunkHeight) / std::max(1, magnification);
    scrollX = std::clamp(centre.x - visible / 2, 0, std::max(0, chunkWidth - visible));
    scrollY = std::clamp(centre.y - visible / 2, 0, std::max(0, chunkHeight - visible));
}

} // namespace zentrik
