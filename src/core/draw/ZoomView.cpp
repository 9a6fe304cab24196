#include "draw/ZoomView.h"

#include <algorithm>
#include <array>

namespace zentrik {

namespace {
constexpr std::array<int, 3> kSteps64{6, 8, 16};
constexpr std::array<int, 4> kSteps128{3, 4, 8, 16};
constexpr int kWideChunk = 64; // wider chunks use the finer steps
constexpr std::array<int, 8> kWheelSteps{1, 2, 3, 4, 6, 8, 12, 16};

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
    return chunkWidth * magnification > viewWidth || chunkHeight * magnification > viewHeight;
}

int ZoomView::visibleWidth(int chunkWidth, int chunkHeight) const {
    return viewWidth - (needsScrollBars(chunkWidth, chunkHeight) ? kScrollBarPixels : 0);
}

int ZoomView::visibleHeight(int chunkWidth, int chunkHeight) const {
    return viewHeight - (needsScrollBars(chunkWidth, chunkHeight) ? kScrollBarPixels : 0);
}

int ZoomView::viewPixels(int chunkWidth, int chunkHeight) const {
    return std::min(visibleWidth(chunkWidth, chunkHeight), visibleHeight(chunkWidth, chunkHeight));
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
    const int m = std::max(1, magnification);
    const int w = visibleWidth(chunkWidth, chunkHeight) / m;
    const int h = visibleHeight(chunkWidth, chunkHeight) / m;
    scrollX = std::clamp(centre.x - w / 2, 0, std::max(0, chunkWidth - w));
    scrollY = std::clamp(centre.y - h / 2, 0, std::max(0, chunkHeight - h));
}

void ZoomView::clampScroll(int chunkWidth, int chunkHeight) {
    const int m = std::max(1, magnification);
    scrollX =
        std::clamp(scrollX, 0, std::max(0, chunkWidth - visibleWidth(chunkWidth, chunkHeight) / m));
    scrollY = std::clamp(scrollY, 0,
                         std::max(0, chunkHeight - visibleHeight(chunkWidth, chunkHeight) / m));
}

bool ZoomView::zoomAbout(bool in, int screenX, int screenY, int chunkWidth, int chunkHeight) {
    const int old = std::max(1, magnification);
    int next = old;
    if (in) {
        const auto it = std::upper_bound(kWheelSteps.begin(), kWheelSteps.end(), old);
        if (it == kWheelSteps.end())
            return false;
        next = *it;
    } else {
        const auto it = std::lower_bound(kWheelSteps.begin(), kWheelSteps.end(), old);
        if (it == kWheelSteps.begin())
            return false;
        next = *(it - 1);
    }
    // The chunk pixel under the pointer stays under it, as far as the chunk's edges allow.
    const int underX = scrollX + floorDiv(screenX, old), underY = scrollY + floorDiv(screenY, old);
    magnification = next;
    scrollX = underX - floorDiv(screenX, next);
    scrollY = underY - floorDiv(screenY, next);
    clampScroll(chunkWidth, chunkHeight);
    return true;
}

void ZoomView::fit(int chunkWidth, int chunkHeight) {
    int m = kMaxMagnification;
    while (m > kMinMagnification && (chunkWidth * m > viewWidth || chunkHeight * m > viewHeight))
        --m;
    magnification = m;
    scrollX = scrollY = 0;
}

} // namespace zentrik
