#pragma once

#include "draw/Tool.h"

namespace zentrik {

// Tool 1: the clicked pixel's index becomes the colour of the pressed button.
class PipetteTool : public Tool {
public:
    ToolId id() const override { return ToolId::Pipette; }
    void buttonDown(ToolContext& ctx, MouseButton button, ChunkPoint p) override;
};

} // namespace zentrik
