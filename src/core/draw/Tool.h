#pragma once

#include "draw/DrawTypes.h"

#include <cstdint>

namespace zentrik {

class CDrawDevice;
class FloatingSelection;
struct ZoomView;

// The numbers the pages use for the tools (also the order of their toolbar buttons).
enum class ToolId {
    Pen = 0,
    Pipette = 1,
    Fill = 2,
    Line = 3,
    Rectangle = 4,
    Selection = 5,
    Magnifier = 6
};
inline constexpr int kToolCount = 7;

// What a tool may reach while it works: the device, the two pen colours, the floating
// selection and the view. The picture editor provides it.
class ToolContext {
public:
    virtual ~ToolContext() = default;
    virtual CDrawDevice& device() = 0;
    virtual uint8_t colour(MouseButton button) const = 0;
    virtual void setColour(MouseButton button, uint8_t index) = 0;
    virtual FloatingSelection& selection() = 0;
    virtual ZoomView& view() = 0;
};

// A tool reacts to one mouse button at a time, in chunk coordinates: button down, moves while
// it is held, button up, and cancel (Escape) which ends whatever it is doing.
class Tool {
public:
    virtual ~Tool() = default;
    virtual ToolId id() const = 0;
    virtual void buttonDown(ToolContext& ctx, MouseButton button, ChunkPoint p) = 0;
    virtual void mouseMove(ToolContext&, ChunkPoint) {}
    virtual void buttonUp(ToolContext&, ChunkPoint) {}
    virtual void cancel(ToolContext&) {}
};

} // namespace zentrik
