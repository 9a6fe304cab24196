#pragma once

#include "draw/Tool.h"

#include <cstdlib>
#include <optional>

namespace zentrik {

// Visits the pixels of the straight line from a to b: one pixel per step along the longer
// axis, the other coordinate rounded half away from the start with division truncating toward
// zero, so the same two points always give the same pixels whichever tool draws them.
template <class Visit> void forEachLinePixel(ChunkPoint a, ChunkPoint b, Visit&& visit) {
    const int dx = b.x - a.x, dy = b.y - a.y;
    const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    const int adx = std::abs(dx), ady = std::abs(dy);
    if (adx > ady) {
        for (int i = 0; i <= adx; ++i)
            visit(ChunkPoint{a.x + i * sx, a.y + sy * (2 * i * ady + adx) / (2 * adx)});
    } else if (ady > 0) {
        for (int i = 0; i <= ady; ++i)
            visit(ChunkPoint{a.x + sx * (2 * i * adx + ady) / (2 * ady), a.y + i * sy});
    } else {
        visit(a);
    }
}

void drawLine(CDrawDevice& device, ChunkPoint a, ChunkPoint b, uint8_t colour);

// Tool 3: a straight line from the press point to the release point, drawn on release.
class LineTool : public Tool {
public:
    ToolId id() const override { return ToolId::Line; }
    void buttonDown(ToolContext& ctx, MouseButton button, ChunkPoint p) override;
    void mouseMove(ToolContext&, ChunkPoint p) override;
    void buttonUp(ToolContext& ctx, ChunkPoint p) override;
    void cancel(ToolContext&) override { m_active = false; }

    // The line being dragged, for the rubber band.
    std::optional<std::pair<ChunkPoint, ChunkPoint>> pending() const;

private:
    bool m_active = false;
    ChunkPoint m_start;
    ChunkPoint m_current;
    uint8_t m_colour = 0;
};

} // namespace zentrik
