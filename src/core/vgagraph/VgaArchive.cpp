#include "vgagraph/VgaArchive.h"

#include "io/ByteReader.h"
#include "io/ByteWriter.h"

#include <algorithm>

namespace zentrik {

namespace {

std::string num(int64_t v) {
    return std::to_string(v);
}

Error illegalSize(int c) {
    return Error{"Chunk " + num(c) + " has an illegal compressed size!",
                 "LoadChunk(): Illegal chunk"};
}

bool sideValid(int16_t v) {
    return v >= kMinPictureSide && v <= kMaxPictureSide;
}

} // namespace

ChunkTable parseHeader(std::span<const uint8_t> bytes) {
    ChunkTable table;
    ByteReader r(bytes);
    table.entries.reserve(bytes.size() / kHeaderEntryBytes);
    while (kHeaderEntryBytes <= r.remaining()) {
        const uint32_t v = *r.u24();
        table.entries.push_back(v == kSparseEntryValue ? kSparse : int32_t(v));
    }
    return table;
}

Result<std::vector<uint8_t>> writeHeader(std::span<const uint32_t> offsets) {
    ByteWriter w(offsets.size() * kHeaderEntryBytes);
    for (uint32_t v : offsets) {
        if (v > kMaxHeaderOffset)
            return Error{"The new graphics file would be " + num(v) +
                             " bytes long, more than VGAHEAD can address!",
                         "Graphics file too large!"};
        w.u24(v);
    }
    return w.take();
}

bool validateOffsets(ChunkTable& table, size_t graphLength) {
    std::vector<int32_t> kept;
    kept.reserve(table.entries.size());
    int64_t last = 0;
    for (int32_t e : table.entries) {
        if (e == kSparse || e < last || uint64_t(e) > graphLength)
            continue;
        kept.push_back(e);
        last = e;
    }
    const bool valid = kept.size() == table.entries.size();
    if (!valid)
        table.entries = std::move(kept);
    return valid;
}

std::span<const uint8_t> VgaArchive::storedBytes(int c) const {
    if (c < 0 || c >= chunkCount())
        return {};
    const int64_t from = table.entries[size_t(c)], to = table.entries[size_t(c) + 1];
    if (from < 0 || to < from || uint64_t(to) > graph.size())
        return {};
    return std::span(graph).subspan(size_t(from), size_t(to - from));
}

Result<std::vector<uint8_t>> LoadChunk(int c, const ChunkContext& ctx) {
    const auto& entries = ctx.archive.table.entries;
    const int n = ctx.archive.chunkCount();
    if (c < 0 || c >= n)
        return Error{"Tried to load chunk " + num(c), "LoadChunk(): fseek failed"};
    const int64_t from = entries[size_t(c)];
    if (from == kSparse)
        return Error{"Chunk " + num(c) + " is a sparse tile!", "LoadChunk()"};
    int64_t to = kSparse;
    for (size_t j = size_t(c) + 1; j < entries.size() && to == kSparse; ++j)
        to = entries[j];
    const bool tile8 = c == ctx.tile8Chunk;
    // The tile8 writer leaves the chunk empty when every tile is 0; that reads back as 72
    // empty tiles rather than as an error.
    if (tile8 && to == from)
        return std::vector<uint8_t>(kTile8ChunkBytes, 0);
    if (to == kSparse || to - from <= 0)
        return illegalSize(c);
    if (uint64_t(to) > ctx.archive.graph.size())
        return Error{"Tried to load chunk " + num(c), "LoadChunk(): fseek failed"};
    ByteReader r(std::span(ctx.archive.graph).subspan(size_t(from), size_t(to - from)));
    uint32_t expanded = kTile8ChunkBytes;
    if (!tile8) {
        auto field = r.u32();
        if (!field)
            return illegalSize(c);
        expanded = *field;
    }
    if (expanded > kMaxExpandedChunk)
        return Error{"Couldn't allocate memory (" + num(expanded) + " bytes) for chunk " + num(c),
                     "LoadChunk()"};
    std::vector<uint8_t> out(expanded, 0);
    HuffmanDecode(r.rest(), out, ctx.dict);
    return out;
}

bool isFontData(std::span<const uint8_t> expanded) {
    if (expanded.size() < kMinFontBytes)
        return false;
    ByteReader r(expanded);
    r.skip(kFontLocationsOffset);
    while (2 <= r.remaining()) {
        const uint16_t v = *r.u16();
        if (v != 0)
            return v == kFontGlyphStart;
    }
    return false;
}

bool isScreenData(std::span<const uint8_t> expanded) {
    return expanded.size() == kScreenChunkBytes &&
           std::equal(kScreenHeader.begin(), kScreenHeader.end(), expanded.begin());
}

bool isFontChunk(int c, const ChunkContext& ctx) {
    auto chunk = LoadChunk(c, ctx);
    return chunk && isFontData(*chunk);
}

bool isScreenChunk(int c, const ChunkContext& ctx) {
    auto chunk = LoadChunk(c, ctx);
    return chunk && isScreenData(*chunk);
}

int countFonts(const VgaArchive& archive, const HuffmanDict& dict) {
    const ChunkContext ctx{archive, dict, -1};
    int fonts = 0;
    while (kFirstFontChunk + fonts < archive.chunkCount() &&
           isFontChunk(kFirstFontChunk + fonts, ctx))
        ++fonts;
    return fonts;
}

std::vector<PictureSize> decodePictureTable(std::span<const uint8_t> stream,
                                            const HuffmanDict& dict) {
    size_t length = HuffmanCountDecoded(stream, dict);
    length = std::min<size_t>(length, kMaxExpandedChunk);
    length -= length % kPictureTableEntryBytes;
    std::vector<uint8_t> bytes(length, 0);
    HuffmanDecode(stream, bytes, dict);
    std::vector<PictureSize> table(length / kPictureTableEntryBytes);
    ByteReader r(bytes);
    for (PictureSize& p : table)
        p = {*r.i16(), *r.i16()};
    while (!table.empty() && !(sideValid(table.back().width) && sideValid(table.back().height)))
        table.pop_back();
    return table;
}

std::vector<PictureSize> readPictureTable(const VgaArchive& archive, const HuffmanDict& dict) {
    ByteReader r(archive.storedBytes(kPictureTableChunk));
    if (!r.skip(kChunkLengthField))
        return {};
    return decodePictureTable(r.rest(), dict);
}

ArchiveLayout scanLayout(const VgaArchive& archive, const HuffmanDict& dict) {
    ArchiveLayout layout;
    layout.fonts = countFonts(archive, dict);
    layout.pictures = readPictureTable(archive, dict);
    return layout;
}

} // namespace zentrik
