#include "draw/PipetteTool.h"

#include "draw/DrawDevice.h"

namespace zentrik {

void PipetteTool::buttonDown(ToolContext& ctx, MouseButton button, ChunkPoint p) {
    ctx.setColour(button, ctx.device().getPixel(p.x, p.y));
}

} // namespace zentrik
