#pragma once

#include "draw/Tool.h"

namespace zentrik {

// Tool 0: paints under the mouse; every move draws a line from the previous position, so a
// fast stroke leaves no gaps. One stroke is one undo step; Escape ends the stroke and keeps
// what was painted.
class PenTool : public Tool {
public:
    ToolId id() const override { return ToolId::Pen; }
    void buttonDown(ToolContext& ctx, MouseButton button, ChunkPoint p) override;
    void mouseMove(ToolContext& ctx, ChunkPoint p) override;
    void buttonUp(ToolContext& ctx, ChunkPoint p) override;
    void cancel(ToolContext& ctx) override;

private:
    bool m_active = false;
    ChunkPoint m_last;
    uint8_t m_colour = 0;
};

} // namespace zentrik
