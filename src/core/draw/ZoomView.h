#pragma once

#include "draw/DrawTypes.h"

#include <span>

namespace zentrik {

// How a picture editor shows its chunk: the magnification (screen pixels per chunk pixel) and
// the scroll position (the chunk pixel at the view's top-left corner). The view starts as a
// square of 384 screen pixels, 368 when the magnified chunk needs scroll bars; a widget that
// grows with its window sets its size.
struct ZoomView {
    static constexpr int kViewPixels = 384;
    static constexpr int kViewPixelsWithScrollBars = 368;
    static constexpr int kScrollBarPixels = kViewPixels - kViewPixelsWithScrollBars;
    static constexpr int kMinMagnification = 1;
    static constexpr int kMaxMagnification = 16;

    int magnification = 6;
    int scrollX = 0;
    int scrollY = 0;
    int viewWidth = kViewPixels; // screen pixels of the whole view, scroll bars included
    int viewHeight = kViewPixels;

    // The magnifications offered for a chunk of this width, smallest first.
    static std::span<const int> steps(int chunkWidth);
    // The step that shows a 64- or 128-wide chunk in the whole view.
    static int initialMagnification(int chunkWidth);

    void reset(int chunkWidth);
    bool needsScrollBars(int chunkWidth, int chunkHeight) const;
    // The side of the square view's visible part (the smaller side of a grown view).
    int viewPixels(int chunkWidth, int chunkHeight) const;
    int visibleWidth(int chunkWidth, int chunkHeight) const;
    int visibleHeight(int chunkWidth, int chunkHeight) const;
    // The chunk pixel under a screen position of the view.
    ChunkPoint toChunk(int screenX, int screenY) const;

    // One step in or out, centring the view on `centre` as far as the chunk allows. Returns
    // whether the magnification changed.
    bool zoomIn(ChunkPoint centre, int chunkWidth, int chunkHeight);
    bool zoomOut(ChunkPoint centre, int chunkWidth, int chunkHeight);
    void centreOn(ChunkPoint centre, int chunkWidth, int chunkHeight);

    // The wheel's zoom: every magnification from 1 to 16 (1, 2, 3, 4, 6, 8, 12, 16), keeping
    // the chunk pixel under the screen position (the pointer) where it is.
    bool zoomAbout(bool in, int screenX, int screenY, int chunkWidth, int chunkHeight);
    // The largest magnification that shows the whole chunk in the view (at least 1).
    void fit(int chunkWidth, int chunkHeight);
    void clampScroll(int chunkWidth, int chunkHeight);
};

} // namespace zentrik
