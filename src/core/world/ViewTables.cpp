#include "world/ViewTables.h"

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
    for (int i = 0; i < kHalfView; ++i) {
        const double tang = (double(i) * 65536 / kViewWidth) / kFaceDistance;
        const auto angle = int16_t(std::atan(tang) * radToInt);
        t.pixelAngle[size_t(kHalfView - 1 - i)] = angle;
        t.pixelAngle[size_t(kHalfView + i)] = int16_t(-angle);
    }
    t.rowDistance[0] = INT32_MAX;
    for (int k = 1; k <= kCenterRow; ++k)
        t.rowDistance[size_t(k)] = (kHeightNumerator / k) << 5;
    return t;
}

} // namespace

const ViewTables& ViewTables::get() {
    static const ViewTables tables = build();
    return tables;
}

} // namespace zentrik
