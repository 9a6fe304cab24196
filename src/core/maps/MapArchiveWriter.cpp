#include "maps/MapArchiveWriter.h"

#include "app/JobProtocol.h"
#include "io/ByteWriter.h"
#include "maps/Rlew.h"

#include <cassert>

namespace zentrik {

namespace {

void writeLevel(Level& level, const LevelSet& set, CarmackMode mode, ByteWriter& map) {
    const int planes = set.thirdPlane ? 3 : 2;
    LevelHeader& h = level.header;
    for (int p = 0; p < planes; ++p) {
        Plane& plane = level.planes[size_t(p)];
        // A slot without a plane (never from our reader) is stored as an empty level's plane.
        if (plane.size() != size_t(kPlaneWords))
            plane.assign(kPlaneWords, 0);
        const std::vector<uint8_t> block = encodePlane(plane, set.rlewTag, set.carmack, mode);
        h.planeStart[size_t(p)] = int32_t(map.size());
        h.planeLength[size_t(p)] = uint16_t(block.size());
        map.bytes(block);
    }
    if (!set.thirdPlane) {
        h.planeStart[2] = h.planeStart[1];
        h.planeLength[2] = h.planeLength[1];
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
