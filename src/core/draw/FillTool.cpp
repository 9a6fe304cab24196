#include "draw/FillTool.h"

#include "draw/DrawDevice.h"

#include <vector>

namespace zentrik {

namespace {

struct Run {
    int left;
    int right;
};

Run fillRun(CDrawDevice& device, int x, int y, uint8_t target, uint8_t colour) {
    int left = x;
    while (left >= 0 && device.getPixel(left, y) == target) {
        device.setPixel(left, y, colour);
        --left;
    }
    int right = x + 1;
    while (right < device.width() && device.getPixel(right, y) == target) {
        device.setPixel(right, y, colour);
        ++right;
    }
    return {left + 1, right - 1};
}

// One filled run still looking at its neighbours: the pixel it is at and whether the row
// below (rather than above) is next. An explicit stack keeps large regions off the call stack.
struct Frame {
    int y;
    int left;
    int x;
    bool below;
};

} // namespace

bool spanFill(CDrawDevice& device, ChunkPoint start, uint8_t colour) {
    if (!device.contains(start))
        return false;
    const uint8_t target = device.getPixel(start.x, start.y);
    if (target == colour)
        return false;
    device.startUndoRecord(UndoKind::PixelList);
    const Run first = fillRun(device, start.x, start.y, target, colour);
    std::vector<Frame> stack{{start.y, first.left, first.right, false}};
    while (!stack.empty()) {
        Frame& f = stack.back();
        if (f.x < f.left) {
            stack.pop_back();
            continue;
        }
        const int x = f.x;
        const int y = f.below ? f.y + 1 : f.y - 1;
        if (f.below)
            --f.x;
        f.below = !f.below;
        if (y >= 0 && y < device.height() && device.getPixel(x, y) == target) {
            const Run run = fillRun(device, x, y, target, colour);
            stack.push_back({y, run.left, run.right, false});
        }
    }
    device.closeUndoRecord();
    return true;
}

void FillTool::buttonDown(ToolContext& ctx, MouseButton button, ChunkPoint p) {
    spanFill(ctx.device(), p, ctx.colour(button));
}

} // namespace zentrik
