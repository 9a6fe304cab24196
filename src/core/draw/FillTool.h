#pragma once

#include "draw/Tool.h"

namespace zentrik {

// Fills the 4-connected region of the start pixel's index with `colour`, run by run: the run
// through the start pixel is set leftwards then rightwards, then each of its pixels from the
// right end to the left end continues into the row above and the row below. The order decides
// the order of the undo entries. Returns false (and records nothing) when the region already
// has the colour or the start lies outside the chunk.
bool spanFill(CDrawDevice& device, ChunkPoint start, uint8_t colour);

// Tool 2.
class FillTool : public Tool {
public:
    ToolId id() const override { return ToolId::Fill; }
    void buttonDown(ToolContext& ctx, MouseButton button, ChunkPoint p) override;
};

} // namespace zentrik
