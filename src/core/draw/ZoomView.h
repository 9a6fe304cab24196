#pragma once

#include "draw/DrawTypes.h"

#include <span>

namespace zentrik {

// How a picture editor shows its chunk: the magnification (screen pixels per chunk pixel) and
// the scroll position (the chunk pixel at the view's top-left corner). The view is a square
// of 384 screen pixels, 368 when the magnified chunk needs scroll bars.
struct ZoomView {
    static constexpr int kViewPixels = 384;
    static constexpr int kViewPixelsWithScrollBars = 368;

    int magnification = 6;
    int scrollX = 0;
    int scrollY = 0;

    // The magnifications offered for a chunk of this width, smallest first.
    static std::span<const int> steps(int chunkWidth);
    // The step that shows a 64- or 128-wide chunk in the whole view.
    static int initialMagnification(int chunkWidth);

    void reset(int chunkWidth);
    bool needsScrollBars(int chunkWidth, int chunkHeight) const;
    int viewPixels(int chunkWidth, int chunkHeight) const;
    // The chunk pixel under a screen position of the view.
    ChunkPoint toChunk(int screenX, int screenY) const;

    // One step in or out, centring the view on `centre` as far as the chunk allows. Returns
    // whether the magnification changed.
    bool zoomIn(ChunkPoint centre, int chunkWidth, int chunkHeight);
    bool zoomOut(ChunkPoint centre, int chunkWidth, int chunkHeight);
    void centreOn(ChunkPoint centre, int chunkWidth, int chunkHeight);
};

} // namespace zentrik
