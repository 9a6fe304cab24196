#include "world/Viewer.h"

#include <algorithm>

namespace zentrik {

void placeViewer(ViewerPose& pose, int64_t x, int64_t y) {
    pose.x = int32_t(std::clamp<int64_t>(x, kViewerMin, kViewerMax));
    pose.y = int32_t(std::clamp<int64_t>(y, kViewerMin, kViewerMax));
}

void placeViewerOnCell(ViewerPose& pose, int x, int y) {
    x = std::clamp(x, 0, kMapSide - 1);
    y = std::clamp(y, 0, kMapSide - 1);
    placeViewer(pose, x * kTileGlobal + 0x8000, y * kTileGlobal + 0x8000);
}

bool placeViewerOnStart(ViewerPose& pose, const WorldMap& map) {
    if (!map.playerStart())
        return false;
    placeViewerOnCell(pose, map.playerStart()->x, map.playerStart()->y);
    pose.angle = map.playerStart()->angle;
    return true;
}

void ViewerMotion::key(ViewKey key, bool pressed, bool autoRepeat) {
    if (!pressed && autoRepeat)
        return;
    // A release stops an axis only when the axis still goes the released key's way, so that
    // letting go of Left while Right is held keeps turning right.
    auto axis = [pressed](int& a, int dir) {
        if (pressed)
            a = dir;
        else if (a == dir)
            a = 0;
    };
    switch (key) {
    case ViewKey::Left:
        axis(m_turn, 1);
        break;
    case ViewKey::Right:
        axis(m_turn, -1);
        break;
    case ViewKey::Up:
        axis(m_move, 1);
        break;
    case ViewKey::Down:
        axis(m_move, -1);
        break;
    case ViewKey::StrafeLeft:
        axis(m_sideways, 1);
        break;
    case ViewKey::StrafeRight:
        axis(m_sideways, -1);
        break;
    case ViewKey::Run:
        m_speed = pressed ? 2 : 1;
        break;
    case ViewKey::Strafe:
        m_strafe = pressed;
        break;
    }
}

void ViewerMotion::focusLost() {
    m_turn = m_move = m_sideways = 0;
    m_strafe = false;
    m_speed = 1;
}

bool ViewerMotion::tick(const WorldMap& map) {
    const uint32_t now = m_clock.ticks();
    uint32_t dt = now - m_last;
    if (dt < kMinStepMs)
        return false;
    m_last = now;
    dt = std::min(dt, kMaxStepMs);
    bool moved = false;
    while (dt > 0) {
        const uint32_t piece = std::min(dt, kSubStepMs);
        moved |= step(map, int(piece));
        dt -= piece;
    }
    return moved;
}

bool ViewerMotion::step(const WorldMap& map, int dt) {
    const ViewTables& t = ViewTables::get();
    bool moved = false;
    if (m_turn != 0 && !m_strafe) {
        // Whole degrees turn; the rest waits for the next step, the same way in both
        // directions.
        m_turnEighths += m_turn * m_speed * dt;
        const int whole = m_turnEighths / 8;
        m_turnEighths -= whole * 8;
        if (whole != 0) {
            pose.angle = ((pose.angle + whole) % 360 + 360) % 360;
            moved = true;
        }
    }
    const int32_t step = dt * kMovePerMs;
    const int32_t sn = t.sinDeg(pose.angle), cs = t.cosDeg(pose.angle);
    const int side = std::clamp((m_strafe ? m_turn : 0) + m_sideways, -1, 1);
    if (side != 0)
        moved |= displace(map, -fixedMul(sn, step) * side * m_speed,
                          -fixedMul(cs, step) * side * m_speed);
    if (m_move != 0)
        moved |= displace(map, fixedMul(cs, step) * m_move * m_speed,
                          -fixedMul(sn, step) * m_move * m_speed);
    return moved;
}

bool ViewerMotion::blocked(const WorldMap& map, int64_t x, int64_t y) {
    if (x < 0 || y < 0 || x >= (int64_t(kMapSide) << 16) || y >= (int64_t(kMapSide) << 16))
        return true;
    const int x0 = int((x - kViewerHalfSize) >> 16), x1 = int((x + kViewerHalfSize) >> 16);
    const int y0 = int((y - kViewerHalfSize) >> 16), y1 = int((y + kViewerHalfSize) >> 16);
    for (int cx = x0; cx <= x1; ++cx)
        for (int cy = y0; cy <= y1; ++cy)
            if (map.blocks(cx, cy))
                return true;
    return false;
}

bool ViewerMotion::displace(const WorldMap& map, int32_t dx, int32_t dy) {
    const int64_t x = pose.x, y = pose.y;
    // Standing inside a wall (put there by a goto or an edit) must not trap the viewer.
    if (!clip || !map.loaded() || blocked(map, x, y))
        placeViewer(pose, x + dx, y + dy);
    else if (!blocked(map, x + dx, y + dy))
        placeViewer(pose, x + dx, y + dy);
    else if (!blocked(map, x + dx, y))
        placeViewer(pose, x + dx, y);
    else if (!blocked(map, x, y + dy))
        placeViewer(pose, x, y + dy);
    return pose.x != x || pose.y != y;
}

} // namespace zentrik
