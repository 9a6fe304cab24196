#pragma once

#include "draw/Tool.h"

#include <optional>

namespace zentrik {

// Fills the rectangle spanned by two corners (both included) with `colour`, clipped to the
// chunk, as one rectangle undo record.
void fillRectangle(CDrawDevice& device, ChunkPoint a, ChunkPoint b, uint8_t colour);

// Tool 4: a filled rectangle between the press and the release point, drawn on release. The
// release point is held inside the chunk, so dragging past the edge stops at the edge.
class RectangleTool : public Tool {
public:
    ToolId id() const override { return ToolId::Rectangle; }
    void buttonDown(ToolContext& ctx, MouseButton button, ChunkPoint p) override;
    void mouseMove(ToolContext&, ChunkPoint p) override;
    void buttonUp(ToolContext& ctx, ChunkPoint p) override;
    void cancel(ToolContext&) override { m_active = false; }

    std::optional<ChunkRect> pending(const CDrawDevice& device) const;

private:
    bool m_active = false;
    ChunkPoint m_start;
    ChunkPoint m_current;
    uint8_t m_colour = 0;
};

} // namespace zentrik
