#pragma once

#include "platform/Clock.h"
#include "world/WorldFrame.h"
#include "world/WorldMap.h"

#include <cstdint>

namespace zentrik {

// The difficulty filter of the 3D view: actors whose difficulty byte is above it are hidden.
inline constexpr int kDifficultyEasy = 1;
inline constexpr int kDifficultyMedium = 3;
inline constexpr int kDifficultyAll = 4;

// The band the viewer stays in: 1.5 tiles to just below 62.5 tiles on both axes.
inline constexpr int32_t kViewerMin = 0x18000;
inline constexpr int32_t kViewerMax = 4095999;
inline constexpr int32_t kViewerHalfSize = 0x5800; // the collision square's half side

// Puts the viewer on (x, y), clamped into the band.
void placeViewer(ViewerPose& pose, int64_t x, int64_t y);
// The centre of cell (x, y), clamped, keeping the angle ("Goto in 3DEdit").
void placeViewerOnCell(ViewerPose& pose, int x, int y);
// The level's player start, looking the way it says; false (pose unchanged) without one.
bool placeViewerOnStart(ViewerPose& pose, const WorldMap& map);

enum class ViewKey { Left, Right, Up, Down, StrafeLeft, StrafeRight, Run, Strafe };

// Walking through the 3D view: keys set the axes, the clock's ticks move the viewer.
class ViewerMotion {
public:
    static constexpr uint32_t kMinStepMs = 8;
    // A step longer than this (a stall, a debugger stop) is cut down to it...
    static constexpr uint32_t kMaxStepMs = 250;
    // ...and walked in pieces no longer than this, each checked against the walls, so that
    // no piece can cross a wall.
    static constexpr uint32_t kSubStepMs = 16;
    static constexpr int32_t kMovePerMs = 512; // 1/128 tile

    explicit ViewerMotion(const Clock& clock) : m_clock(clock), m_last(clock.ticks()) {}

    ViewerPose pose;
    bool clip = true;

    // Auto-repeated releases (the key is still down) are ignored.
    void key(ViewKey key, bool pressed, bool autoRepeat = false);
    void focusLost();
    bool moving() const { return m_turn != 0 || m_move != 0 || m_sideways != 0; }
    int speed() const { return m_speed; }

    // Called by a fast timer: moves by the time since the last step (at least 8 ms). Returns
    // whether the viewer moved or turned.
    bool tick(const WorldMap& map);
    // Forgets the time spent standing, so the next step does not jump.
    void restart() { m_last = m_clock.ticks(); }

    static bool blocked(const WorldMap& map, int64_t x, int64_t y);

private:
    bool step(const WorldMap& map, int dt);
    bool displace(const WorldMap& map, int32_t dx, int32_t dy);

    const Clock& m_clock;
    uint32_t m_last;
    int m_turn = 0, m_move = 0, m_sideways = 0; // +1 left / forward / strafe left
    int m_speed = 1;
    bool m_strafe = false;
    int m_turnEighths = 0; // turning not yet a whole degree, in eighths of a degree
};

} // namespace zentrik
