#include "world/Minimap.h"

#include "world/ViewTables.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace zentrik {

namespace {

int axisOrigin(int32_t v, int& offset) {
    int origin = (v >> 16) - kMinimapTiles / 2;
    offset = int(((v & 0xFFFF) * 7) >> 16);
    if (origin < 0) {
        origin = 0;
        offset = 0;
    } else if (origin + kMinimapTiles + 1 > kMapSide) {
        origin = kMapSide - kMinimapTiles;
        offset = 0;
    }
    return origin;
}

bool nearlyBlack(uint16_t c) {
    return ((c >> 10) & 31) <= 2 && ((c >> 5) & 31) <= 2 && (c & 31) <= 2;
}

void plot(MinimapPicture& out, int x, int y) {
    if (x >= 0 && y >= 0 && x < kMinimapSide && y < kMinimapSide)
        out[size_t(y * kMinimapSide + x)] = kMinimapWhite;
}

void line(MinimapPicture& out, int x0, int y0, int x1, int y1) {
    const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    for (int i = 0; i <= steps; ++i)
        plot(out, x0 + (steps ? (x1 - x0) * i / steps : 0),
             y0 + (steps ? (y1 - y0) * i / steps : 0));
}

} // namespace

MinimapWindow minimapWindow(const ViewerPose& pose) {
    MinimapWindow w;
    w.originX = axisOrigin(pose.x, w.offsetX);
    w.originY = axisOrigin(pose.y, w.offsetY);
    return w;
}

void renderMinimap(const Level* level, const SymbolStrip& strip, const ViewerPose& pose,
                   MinimapPicture& out) {
    out.fill(0);
    if (!level || level->planes[0].size() != size_t(kPlaneWords) ||
        level->planes[1].size() != size_t(kPlaneWords))
        return;
    const MinimapWindow w = minimapWindow(pose);
    for (int py = 0; py < kMinimapSide; ++py)
        for (int px = 0; px < kMinimapSide; ++px) {
            const int tx = w.originX + (px + w.offsetX) / 7, ty = w.originY + (py + w.offsetY) / 7;
            if (tx >= kMapSide || ty >= kMapSide)
                continue;
            const int sx = (px + w.offsetX) % 7, sy = (py + w.offsetY) % 7;
            const size_t i = size_t(ty * kMapSide + tx);
            const uint16_t wall = std::min<uint16_t>(level->planes[0][i], kPlane0Symbols - 1);
            const uint16_t object = level->planes[1][i];
            uint16_t c =
                strip.pixel((wall % kSymbolsPerRow) * 7 + sx, (wall / kSymbolsPerRow) * 7 + sy);
            if (object != 0) {
                const int o = SymbolStrip::objectIndex(uint16_t(object & 511));
                const uint16_t oc =
                    strip.pixel((o % kSymbolsPerRow) * 7 + sx, (o / kSymbolsPerRow) * 7 + sy);
                if (!nearlyBlack(oc))
                    c = oc;
            }
            out[size_t(py * kMinimapSide + px)] = c;
        }
    const ViewTables& t = ViewTables::get();
    int x = 0, y = 0;
    minimapViewerPixel(pose, x, y);
    const int a = ((pose.angle % 360) + 360) % 360;
    const int hx = x + ((7 * t.cosDeg(a)) >> 16), hy = y - ((7 * t.sinDeg(a)) >> 16);
    line(out, x, y, hx, hy);
    for (int turn : {135, 225}) {
        const int b = (a + turn) % 360;
        line(out, hx, hy, hx + ((5 * t.cosDeg(b)) >> 16), hy - ((5 * t.sinDeg(b)) >> 16));
    }
}

void minimapViewerPixel(const ViewerPose& pose, int& px, int& py) {
    const MinimapWindow w = minimapWindow(pose);
    px = int(((int64_t(pose.x) - (int64_t(w.originX) << 16)) * 7) >> 16) - w.offsetX;
    py = int(((int64_t(pose.y) - (int64_t(w.originY) << 16)) * 7) >> 16) - w.offsetY;
}

void minimapPoint(const MinimapWindow& w, int px, int py, int32_t& x, int32_t& y) {
    x = int32_t((int64_t(w.originX * 7 + w.offsetX + px) << 16) / 7);
    y = int32_t((int64_t(w.originY * 7 + w.offsetY + py) << 16) / 7);
}

int minimapAngleTo(const ViewerPose& pose, int px, int py) {
    int32_t x = 0, y = 0;
    minimapPoint(minimapWindow(pose), px, py, x, y);
    const double dx = double(x) - pose.x, dy = double(pose.y) - y;
    if (std::fabs(dx) < 1 && std::fabs(dy) < 1)
        return pose.angle;
    const int deg = int(std::lround(std::atan2(dy, dx) * 180 / std::numbers::pi));
    return (deg % 360 + 360) % 360;
}

bool minimapRepeats(bool leftButton, int dx, int dy, uint32_t elapsedMs) {
    const int d = std::max(std::abs(dx), std::abs(dy));
    return leftButton ? d > 4 || elapsedMs > 20 : d >= 5 || elapsedMs >= 21;
}

} // namespace zentrik
