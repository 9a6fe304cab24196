#include "draw/MagnifierTool.h"

#include "draw/DrawDevice.h"
#include "draw/ZoomView.h"

namespace zentrik {

void MagnifierTool::buttonDown(ToolContext& ctx, MouseButton button, ChunkPoint p) {
    const CDrawDevice& device = ctx.device();
    ZoomView& view = ctx.view();
    if (button == MouseButton::Left)
        view.zoomIn(p, device.width(), device.height());
    else
        view.zoomOut(p, device.width(), device.height());
}

} // namespace zentrik
