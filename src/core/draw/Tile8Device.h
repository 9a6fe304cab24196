#pragma once

#include "draw/DrawDevice.h"
#include "vgagraph/VgaModels.h"

namespace zentrik {

// The device of the tile8 page: one planar 8 x 8 tile of the Tile8Set.
class CTile8Device : public CDrawDevice {
public:
    static constexpr int kSide = 8;

    explicit CTile8Device(Tile8Set& set, Prompter* prompter = nullptr)
        : CDrawDevice(prompter), m_set(set) {}

    // Tiles the chunk does not hold show nothing.
    void selectTile(int tile) { m_tile = tile; }
    int tile() const { return m_tile; }

    int width() const override { return valid() ? kSide : 0; }
    int height() const override { return valid() ? kSide : 0; }
    ChunkKey chunkKey() const override { return {&m_set, m_tile}; }
    void markChanged() override { m_set.changed = true; }

protected:
    uint8_t readPixel(int x, int y) const override;
    void writePixel(int x, int y, uint8_t index) override;

private:
    bool valid() const;

    Tile8Set& m_set;
    int m_tile = -1;
};

} // namespace zentrik
