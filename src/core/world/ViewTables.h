#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zentrik {

// The 3D view's geometry: 16.16 fixed-point tiles, 3600 fine angles per circle, a picture of
// 600 x 375 at the least. Everything a frame needs is precomputed (here once, in ViewGeometry
// once per picture size), so a frame is integer work only.
inline constexpr int kViewWidth = 600;
inline constexpr int kViewHeight = 375;
inline constexpr int kViewPixels = kViewWidth * kViewHeight;
inline constexpr int kHalfView = 300;
inline constexpr int kCenterRow = 187;    // wall spans are centred on this row
inline constexpr int kMaxViewSide = 8192; // larger pictures are cut to this
inline constexpr int kFineAngles = 3600;
inline constexpr int kFineQuarter = 900;
inline constexpr int32_t kTileGlobal = 0x10000;
inline constexpr int32_t kFocalLength = 0x5700;
inline constexpr int32_t kMinDistance = 0x5800;
inline constexpr int32_t kFaceDistance = kFocalLength + kMinDistance;
inline constexpr int32_t kScale = kHalfView * kFaceDistance / 32768; // 410
inline constexpr int32_t kHeightNumerator = kScale * 1024;
inline constexpr int32_t kMinHeightDivisor = kHeightNumerator / 0x7FFF + 1;

inline int32_t fixedMul(int32_t a, int32_t b) {
    return int32_t((int64_t(a) * int64_t(b)) >> 16);
}

struct ViewTables {
    // tan of fine angles 0..899 (the half-step midpoint of each), 16.16; beyond 449 the
    // reciprocal of the mirrored entry, so both ends stay finite.
    std::array<int32_t, kFineQuarter> fineTangent{};
    // sin of whole degrees 0..449, 16.16; cos(a) = sin[a + 90].
    std::array<int32_t, 360 + 90> sinTable{};
    int32_t sinDeg(int a) const { return sinTable[size_t(a)]; }
    int32_t cosDeg(int a) const { return sinTable[size_t(a + 90)]; }

    static const ViewTables& get();
};

// What depends on the picture's size (made by forSize). The field of view stays that of the
// 600 pixel picture: the scale grows with the width. The centre row is (height - 1) / 2, so
// that twice the height puts it at twice the row.
struct ViewGeometry {
    int width = kViewWidth, height = kViewHeight;
    int halfView = kHalfView, centerRow = kCenterRow;
    int32_t scale = kScale;                     // picture pixels per tile at unit depth
    int32_t heightNumerator = kHeightNumerator; // a span's height in eighths times depth >> 8
    // The fine angle of each column relative to the view direction (left is positive).
    std::vector<int16_t> pixelAngle;
    // Distance (16.16, from the view point) of the floor seen k rows below the centre row (or
    // the ceiling k rows above it), for every k the picture has.
    std::vector<int32_t> rowDistance;

    // Sides are kept within 1..kMaxViewSide.
    static ViewGeometry forSize(int width, int height);
};

} // namespace zentrik
