#include "world/ViewTables.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>

namespace zentrik {

namespace {

ViewTables build() {
    ViewTables t;
    const double radToInt = kFineAngles / (2 * std::numbers::pi);
    for (int i = 0; i < kFineQuarter / 2; ++i) {
        const double tang = std::tan((i + 0.5) / radToInt);
        t.fineTangent[size_t(i)] = int32_t(tang * 65536);
        t.fineTangent[size_t(kFineQuarter - 1 - i)] = int32_t(65536 / tang);
    }
    for (int i = 0; i <= 90; ++i) {
        const int32_t v = int32_t(std::sin(i * std::numbers::pi / 180) * 65536);
        t.sinTable[size_t(i)] = v;
        t.sinTable[size_t(180 - i)] = v;
        t.sinTable[size_t(180 + i)] = -v;
        t.sinTable[size_t((360 - i) % 360)] = -v;
    }
    t.sinTable[0] = t.sinTable[180] = 0;
    for (int i = 360; i < 450; ++i)
        t.sinTable[size_t(i)] = t.sinTable[size_t(i - 360)];
    return t;
}

} // namespace

ViewGeometry ViewGeometry::forSize(int width, int height) {
    ViewGeometry g;
    g.width = std::clamp(width, 1, kMaxViewSide);
    g.height = std::clamp(height, 1, kMaxViewSide);
    g.halfView = std::max(1, g.width / 2);
    g.centerRow = (g.height - 1) / 2;
    g.scale = int32_t(int64_t(g.halfView) * kFaceDistance / 32768);
    g.heightNumerator = g.scale * 1024;
    const double radToInt = kFineAngles / (2 * std::numbers::pi);
    g.pixelAngle.resize(size_t(g.width));
    // Left of the middle counts up from the column just left of it, right of it from the
    // middle column; an odd width's last column is one further out.
    for (int c = 0; c < g.width; ++c) {
        const int i = c < g.halfView ? g.halfView - 1 - c : c - g.halfView;
        const double tang = (double(i) * 65536 / (2 * g.halfView)) / kFaceDistance;
        const auto angle = int16_t(std::atan(tang) * radToInt);
        g.pixelAngle[size_t(c)] = c < g.halfView ? angle : int16_t(-angle);
    }
    g.rowDistance.resize(size_t(std::max(g.centerRow, g.height - 1 - g.centerRow) + 1));
    g.rowDistance[0] = INT32_MAX;
    for (size_t k = 1; k < g.rowDistance.size(); ++k)
        g.rowDistance[k] = (g.heightNumerator / int32_t(k)) << 5;
    return g;
}

const ViewTables& ViewTables::get() {
    static const ViewTables tables = build();
    return tables;
}

} // namespace zentrik
