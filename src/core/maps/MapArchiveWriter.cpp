#include "maps/MapArchiveWriter.h"

#include "app/JobProtocol.h"
#include "io/ByteWriter.h"
#include "maps/Rlew.h"

#include <cassert>

namespace zentrik {

namespace {

// Every level header gets three blocks of its own. Without the third plane the third block is
// an empty plane, as in the game's own files (10 bytes there), so that a reader of three planes
// never gets another plane's data.
void writeLevel(Level& level, const LevelSet& set, CarmackMode mode, ByteWriter& map) {
    LevelHeader& h = level.header;
    const Plane empty(kPlaneWords, 0);
    for (int p = 0; p < kMaxPlanes; ++p) {
        Plane& plane = level.planes[size_t(p)];
        // A slot without a plane (never from our reader) is stored as an empty level's plane.
        if (p < 2 && plane.size() != size_t(kPlaneWords))
            plane.assign(kPlaneWords, 0);
        const bool stored = p < 2 || (set.thirdPlane && plane.size() == size_t(kPlaneWords));
        const std::vector<uint8_t> block =
            encodePlane(stored ? plane : empty, set.rlewTag, set.carmack, mode);
        h.planeStart[size_t(p)] = int32_t(map.size());
        h.planeLength[size_t(p)] = uint16_t(block.size());
        map.bytes(block);
    }
}

} // namespace

std::string mapSignature(bool thirdPlane, bool featureFlags) {
    std::string s =
        "ZK" + std::to_string(kSignatureMajor) + "." + std::to_string(kSignatureMinor) + ":";
    if (thirdPlane)
        s += "3P:";
    if (featureFlags)
        s += "FF:";
    return s + kMapCredit;
}

std::vector<uint8_t> encodePlane(const Plane& plane, uint16_t rlewTag, bool carmack,
                                 CarmackMode mode) {
    ByteWriter rlew;
    rlew.u16(uint16_t(kPlaneBytes));
    rlew.bytes(CompressRlew(plane, rlewTag));
    if (!carmack)
        return rlew.take();
    // The largest RLEW block (16386 bytes) and its Carmack form both fit the u16 length.
    assert(rlew.size() <= 0xFFFF);
    ByteWriter block;
    block.u16(uint16_t(rlew.size()));
    block.bytes(CompressCarmack(rlew.bytes(), mode));
    assert(block.size() <= 0xFFFF);
    return block.take();
}

int SaveMapsWorker(Progress& progress, LevelSet& set, MapArchiveBytes& out) {
    JobReporter report(progress);
    report.begin("Saving Header...", "");
    ByteWriter header;
    ByteWriter map;
    header.u16(set.rlewTag);
    map.text(mapSignature(set.thirdPlane, set.featureFlags));

    report.begin("Saving Maps...", "");
    const CarmackMode mode = carmackModeFromSetting(set.carmackMode);
    const int n = set.levelCount();
    for (int i = 0; i < n; ++i) {
        if (report.cancelled())
            return JobResult::Failed;
        report.item(i, n);
        Level& level = set.levels[size_t(i)];
        writeLevel(level, set, mode, map);
        header.i32(int32_t(map.size()));
        const auto hb = level.header.bytes();
        map.bytes(hb);
    }
    for (int i = n; i < kMapheadEntries; ++i)
        header.i32(0);
    map.text(kMapEndMarker);
    out.map = map.take();
    out.header = header.take();
    return JobResult::Done;
}

} // namespace zentrik
