#include "pages/CProp5Textures.h"

#include "context/PageRegistry.h"
#include "pagefile/ChunkEdit.h"
#include "pagefile/Resolution.h"

namespace zentrik::gui {

namespace {
const PageRegistration reg("CProp5Textures", [](AppContext& c, QWidget* parent) -> QWidget* {
    return new CProp5Textures(c, parent);
});
} // namespace

CProp5Textures::CProp5Textures(AppContext& context, QWidget* parent)
    : PixelChunkPage(context, DataSet::Walls, parent) {
    auto device =
        std::make_unique<CTexDevice>(data().files().walls, &data().workspace(), &data().prompter());
    m_tex = device.get();
    finishSetup(std::move(device));
}

int CProp5Textures::count() const {
    return data().files().walls.count();
}

bool CProp5Textures::loaded() const {
    return data().files().wallsLoaded;
}

void CProp5Textures::setLoaded(bool on) {
    data().files().wallsLoaded = on;
}

int CProp5Textures::side() const {
    return data().files().walls.side;
}

void CProp5Textures::selectOnDevice(int index) {
    m_tex->selectWall(index);
}

int CProp5Textures::insertAt(int current) {
    // The new wall takes the left pen colour.
    return insertWall(data().files().walls, current, editor().colour(MouseButton::Left));
}

int CProp5Textures::removeAt(int current) {
    return removeWall(data().files().walls, current);
}

std::optional<ChunkCopy> CProp5Textures::copyChunk(int index) const {
    return copyWall(data().files().walls, index);
}

void CProp5Textures::putChunkBack(int index, ChunkCopy copy) {
    restoreWall(data().files().walls, index, std::move(copy));
}

bool CProp5Textures::changeResolution(int change) {
    WallSet out;
    PixelData& d = data();
    const int code = d.jobs().run([&](Progress& p) {
        return ChangeWallResolutionWorker(d.files().walls, ResolutionChange(change), d.palette(),
                                          d.colours(), p, out);
    });
    if (code != JobResult::Done)
        return false;
    d.files().walls = std::move(out);
    return true;
}

} // namespace zentrik::gui
