#pragma once

#include "draw/DrawDevice.h"
#include "pagefile/PageFile.h"

namespace zentrik {

class Workspace;

// The device of the texture page: one wall of the WallSet. Every pixel goes both into the
// wall's bottom-up image and into its column-major slot of the raw block, which the 3D view
// and the writer read, so the two copies never differ.
class CTexDevice : public CDrawDevice {
public:
    CTexDevice(WallSet& set, Workspace* workspace = nullptr, Prompter* prompter = nullptr)
        : CDrawDevice(prompter), m_set(set), m_workspace(workspace) {}

    // An empty wall, or one whose image or slot does not match the set's side, shows nothing.
    void selectWall(int index) { m_index = index; }
    int wall() const { return m_index; }

    int width() const override { return valid() ? m_set.side : 0; }
    int height() const override { return width(); }
    // The image's buffer is part of the key: after a wall is removed the same number shows
    // another wall, whose pixels the old history must not touch.
    ChunkKey chunkKey() const override;
    void markChanged() override;
    // The image was replaced as a whole: mirror it into the raw block.
    void afterImport() override;

protected:
    uint8_t readPixel(int x, int y) const override { return image().at(x, y); }
    void writePixel(int x, int y, uint8_t index) override;

private:
    bool valid() const;
    const IndexedImage& image() const { return *m_set.images[size_t(m_index)]; }

    WallSet& m_set;
    Workspace* m_workspace; // told of every edit (none in tools and tests)
    int m_index = -1;
};

// The device of the sprite page: one sprite image (background TransparentIndex), no raw block.
class CSprDevice : public CDrawDevice {
public:
    CSprDevice(SpriteSet& set, Workspace* workspace = nullptr, Prompter* prompter = nullptr)
        : CDrawDevice(prompter), m_set(set), m_workspace(workspace) {}

    void selectSprite(int index) { m_index = index; }
    int sprite() const { return m_index; }

    int width() const override { return valid() ? m_set.side : 0; }
    int height() const override { return width(); }
    ChunkKey chunkKey() const override;
    void markChanged() override;

protected:
    uint8_t readPixel(int x, int y) const override { return image().at(x, y); }
    void writePixel(int x, int y, uint8_t index) override { image().set(x, y, index); }

private:
    bool valid() const;
    IndexedImage& image() const { return *m_set.images[size_t(m_index)]; }

    SpriteSet& m_set;
    Workspace* m_workspace; // told of every edit (none in tools and tests)
    int m_index = -1;
};

} // namespace zentrik
