#pragma once

// Shared by the files of the ray caster: one frame's fixed state.
#include "world/RayCaster.h"

namespace zentrik::raycast {

struct FrameState {
    explicit FrameState(const ViewGeometry& geometry) : g(geometry) {}

    const ViewTables& t = ViewTables::get();
    const ViewGeometry& g; // the picture's size and what follows from it
    const RenderScene* scene = nullptr;
    const RenderOptions* options = nullptr;
    int32_t viewX = 0, viewY = 0; // the view point: the viewer moved back by the focal length
    int32_t viewCos = 0, viewSin = 0;
    int viewFine = 0; // the view direction in fine angles
    // How floors and ceilings are filled this frame (prepareFlats).
    bool texturedFlats = false, perCellFlats = false;
    uint8_t floorColor = kBackgroundColor, ceilingColor = kBackgroundColor;
    int floorTexture = -1, ceilingTexture = -1;
};

void prepareFlats(FrameState& s);

// Floors and ceilings of the whole picture, where the columns leave them open.
void drawFlats(const FrameState& s, WorldFrame& frame);
void castColumns(const FrameState& s, WorldFrame& frame);
void drawThings(const FrameState& s, WorldFrame& frame);
void drawHoverOutline(const FrameState& s, WorldFrame& frame);

} // namespace zentrik::raycast
