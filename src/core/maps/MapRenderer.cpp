#include "maps/MapRenderer.h"

#include <algorithm>

namespace zentrik {

namespace {

constexpr uint16_t kChannelMask = 0x1F;
constexpr int kRedShift = 10;
constexpr int kGreenShift = 5;
constexpr uint16_t kDarkChannel = 2; // object pixels this dark let the wall show through
constexpr int kBlockPitch = 8;

int difficultySwitch(uint8_t difficulty) {
    for (size_t i = 0; i < kFilteredDifficulties.size(); ++i)
        if (kFilteredDifficulties[i] == difficulty)
            return int(i);
    return -1;
}

} // namespace

uint16_t splitPart(uint16_t value, SplitMode split) {
    switch (split) {
    case SplitMode::LowByte:
        return value & 0xFF;
    case SplitMode::HighByte:
        return value >> 8;
    case SplitMode::Whole:
        break;
    }
    return value;
}

uint16_t mergeSplit(uint16_t old, uint16_t pen, SplitMode split) {
    switch (split) {
    case SplitMode::LowByte:
        return uint16_t((old & 0xFF00) | (pen & 0xFF));
    case SplitMode::HighByte:
        return uint16_t((old & 0x00FF) | ((pen & 0xFF) << 8));
    case SplitMode::Whole:
        break;
    }
    return pen;
}

WallSymbol wallSymbol(uint16_t value, SplitMode split) {
    switch (split) {
    case SplitMode::LowByte:
        return {value & 0xFF, false};
    case SplitMode::HighByte:
        // An empty high byte would show nothing at all; the low byte is shown faintly instead
        // so the level stays readable.
        return (value >> 8) != 0 ? WallSymbol{value >> 8, false} : WallSymbol{value & 0xFF, true};
    case SplitMode::Whole:
        break;
    }
    return {std::min<int>(value, kMaxSymbolValue), false};
}

uint16_t dimPixel(uint16_t c) {
    const uint16_t r = ((c >> kRedShift) & kChannelMask) / 2;
    const uint16_t g = ((c >> kGreenShift) & kChannelMask) / 2;
    const uint16_t b = (c & kChannelMask) / 2;
    return uint16_t((r << kRedShift) | (g << kGreenShift) | b);
}

bool isTransparentObjectPixel(uint16_t c) {
    return ((c >> kRedShift) & kChannelMask) <= kDarkChannel &&
           ((c >> kGreenShift) & kChannelMask) <= kDarkChannel &&
           (c & kChannelMask) <= kDarkChannel;
}

bool objectShown(const MapView& view, uint16_t object) {
    if (object == 0)
        return false;
    const ObjectDescription* d = view.table ? &view.table->at(object) : nullptr;
    const bool pushwall = d && d->type == kObjectPushwall;
    if (!view.showObjects && !(pushwall && !view.thirdPlaneEditing))
        return false;
    if (pushwall || !d)
        return true;
    const int sw = difficultySwitch(d->difficulty);
    return sw < 0 || view.difficulties[size_t(sw)];
}

CellPixels renderCellValues(const MapView& view, uint16_t wall, uint16_t object) {
    CellPixels out{};
    if (!view.strip)
        return out;
    WallSymbol ws = wallSymbol(wall, view.split);
    if (!view.showFloors && view.table && view.table->floorCodes.count(uint16_t(ws.index)))
        ws.index = 0;
    out = view.strip->symbol(std::min(ws.index, int(kMaxSymbolValue)));
    if (ws.dimmed)
        for (uint16_t& p : out)
            p = dimPixel(p);
    if (objectShown(view, object)) {
        const Symbol o = view.strip->symbol(kPlane0Symbols + std::min(object, kMaxSymbolValue));
        for (size_t i = 0; i < out.size(); ++i)
            if (!isTransparentObjectPixel(o[i]))
                out[i] = o[i];
    }
    return out;
}

void MapPicture::putCell(const MapView& view, int x, int y, const CellPixels& cell) {
    const int ox = x * view.pitch() + 1;
    const int oy = y * view.pitch() + 1;
    for (int r = 0; r < kSymbolSize; ++r)
        std::copy_n(cell.begin() + r * kSymbolSize, kSymbolSize,
                    m_pixels.begin() + ptrdiff_t(oy + r) * kMapPictureSide + ox);
}

void MapPicture::renderCell(const MapView& view, int x, int y) {
    if (x < 0 || y < 0 || x >= kMapSide || y >= kMapSide || !view.walls || !view.objects)
        return;
    const size_t i = size_t(y * kMapSide + x);
    putCell(view, x, y, renderCellValues(view, (*view.walls)[i], (*view.objects)[i]));
}

void MapPicture::render(const MapView& view) {
    std::fill(m_pixels.begin(), m_pixels.end(), 0);
    auto hline = [&](int y, int len, uint16_t c) {
        std::fill_n(m_pixels.begin() + ptrdiff_t(y) * kMapPictureSide, len, c);
    };
    auto vline = [&](int x, int len, uint16_t c) {
        for (int y = 0; y < len; ++y)
            m_pixels[size_t(y) * kMapPictureSide + x] = c;
    };
    if (view.grid) {
        for (int p = 0; p < kMapPictureSide; p += view.pitch()) {
            hline(p, kMapPictureSide, kGridColor);
            vline(p, kMapPictureSide, kGridColor);
        }
    } else {
        const int side = kControlSideNoGrid;
        hline(0, side, kFrameColor);
        hline(side - 1, side, kFrameColor);
        vline(0, side, kFrameColor);
        vline(side - 1, side, kFrameColor);
    }
    if (!view.walls || !view.objects || view.walls->size() != size_t(kPlaneWords) ||
        view.objects->size() != size_t(kPlaneWords))
        return;
    for (int y = 0; y < kMapSide; ++y)
        for (int x = 0; x < kMapSide; ++x)
            renderCell(view, x, y);
}

BlockPicture renderBlock(const MapView& view, const MapClipBlock& block) {
    BlockPicture pic;
    pic.width = block.width * kBlockPitch;
    pic.height = block.height * kBlockPitch;
    pic.pixels.assign(size_t(pic.width) * pic.height, view.grid ? kGridColor : 0);
    for (int y = 0; y < block.height; ++y)
        for (int x = 0; x < block.width; ++x) {
            const size_t e = size_t(y * block.width + x);
            if (e >= block.walls.size() || e >= block.objects.size())
                continue;
            const CellPixels c = renderCellValues(view, block.walls[e], block.objects[e]);
            for (int r = 0; r < kSymbolSize; ++r)
                std::copy_n(c.begin() + r * kSymbolSize, kSymbolSize,
                            pic.pixels.begin() + ptrdiff_t(y * kBlockPitch + r + 1) * pic.width +
                                x * kBlockPitch + 1);
        }
    return pic;
}

} // namespace zentrik
