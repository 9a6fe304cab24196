#pragma once

#include "draw/Tool.h"

namespace zentrik {

// Tool 6: the left button zooms in, the right button out, centred on the clicked pixel.
class MagnifierTool : public Tool {
public:
    ToolId id() const override { return ToolId::Magnifier; }
    void buttonDown(ToolContext& ctx, MouseButton button, ChunkPoint p) override;
};

} // namespace zentrik
