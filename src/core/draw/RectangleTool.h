#pragma once

#include "draw/Tool.h"

#include <optional>

namespace zentrik {

// Fills the rectangle spanned by two corners (both included) with `colour`, clipped to the
// chunk, as one rectangle undo record.
void fillRectangle(CDrawDevice& device, Point a, Point b, uint8_t colour);

// Tool 4: a filled rectangle between the press and the release point, drawn on release. The
// release point is held inside the chunk, so dragging past the edge stops at the edge.
class RectangleTool : public Tool {
public:
    ToolId id() const override { return ToolId::Rectangle; }
    void buttonDown(ToolContext& ctx, MouseButton button, Point p) override;
    void mouseMove(ToolContext&, Point p) override;
    void buttonUp(ToolContext& ctx, Point p) override;
    void cancel(ToolContext&) override { m_active = false; }

    std::optional<PixelRect> pending(const CDrawDevice& device) const;

private:
    bool m_active = false;
    Point m_start;
    Point m_current;
    uint8_t m_colour = 0;
};

} // namespace zentrik
