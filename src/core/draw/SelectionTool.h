#pragma once

#include "draw/Tool.h"

namespace zentrik {

// Tool 5: a press outside the selection drops a floating block and starts marking a new
// rectangle (held inside the chunk); a press inside a marked rectangle lifts it, and a press
// inside a floating block grabs it, so dragging moves it. A click that marks nothing clears
// the mark. A block released wholly off the chunk is discarded.
class SelectionTool : public Tool {
public:
    ToolId id() const override { return ToolId::Selection; }
    void buttonDown(ToolContext& ctx, MouseButton button, ChunkPoint p) override;
    void mouseMove(ToolContext& ctx, ChunkPoint p) override;
    void buttonUp(ToolContext& ctx, ChunkPoint p) override;
    // Escape gives up a rectangle being marked; a block being moved stays where it is.
    void cancel(ToolContext& ctx) override;

    bool marking() const { return m_mode == Mode::Marking; }
    bool moving() const { return m_mode == Mode::Moving; }

private:
    enum class Mode { Idle, Marking, Moving };
    Mode m_mode = Mode::Idle;
    ChunkPoint m_anchor;
    ChunkPoint m_last;
};

} // namespace zentrik
