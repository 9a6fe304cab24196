#pragma once

#include "Result.h"
#include "vgagraph/Huffman.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace zentrik {

// Layout of the graphics archive: VGAHEAD holds 3-byte offsets into VGAGRAPH (one per chunk
// plus the end), every chunk but the tile8 chunk starts with its u32 expanded length.
inline constexpr size_t kHeaderEntryBytes = 3;
inline constexpr uint32_t kSparseEntryValue = 0xFFFFFF;
inline constexpr int32_t kSparse = -1;
inline constexpr uint32_t kMaxHeaderOffset = 0xFFFFFE;
inline constexpr size_t kChunkLengthField = 4;

inline constexpr int kPictureTableChunk = 0;
inline constexpr int kFirstFontChunk = 1;
inline constexpr size_t kPictureTableEntryBytes = 4;
inline constexpr int kMinPictureSide = 1;
inline constexpr int kMaxPictureSide = 1023;

inline constexpr size_t kFontHeightBytes = 2;
inline constexpr int kFontChars = 256;
inline constexpr size_t kFontLocationsOffset = 2;
inline constexpr size_t kFontWidthsOffset = kFontLocationsOffset + 2 * kFontChars;
inline constexpr size_t kFontGlyphStart = kFontWidthsOffset + kFontChars; // 770
inline constexpr size_t kMinFontBytes = 4;

inline constexpr int kTile8Count = 72;
inline constexpr size_t kTile8Bytes = 64;
inline constexpr size_t kTile8ChunkBytes = kTile8Count * kTile8Bytes; // 4608

inline constexpr size_t kScreenHeaderBytes = 7;
inline constexpr std::array<uint8_t, kScreenHeaderBytes> kScreenHeader{0xFD, 0x00, 0xB8, 0x00,
                                                                       0x00, 0xA0, 0x0F};
inline constexpr size_t kScreenCellBytes = 4000;
inline constexpr size_t kScreenChunkBytes = kScreenHeaderBytes + kScreenCellBytes + 1; // 4008

// No chunk of a real archive comes near this; it keeps a corrupt length field from asking
// for gigabytes.
inline constexpr uint32_t kMaxExpandedChunk = 16u * 1024 * 1024;

// The header table: entry i is chunk i's offset, kSparse for 0xFFFFFF; the last entry is the
// end of the last chunk.
struct ChunkTable {
    std::vector<int32_t> entries;
    int chunkCount() const { return entries.size() < 2 ? 0 : int(entries.size()) - 1; }
};

// The remainder of a length that is not a multiple of 3 is ignored.
ChunkTable parseHeader(std::span<const uint8_t> bytes);
// Header bytes for the given offsets; an offset past what 3 bytes can hold is an Error.
Result<std::vector<uint8_t>> writeHeader(std::span<const uint32_t> offsets);

// Keeps the entries that are not sparse, not below the last kept one and not past
// graphLength, in order. Returns true when every entry was kept.
bool validateOffsets(ChunkTable& table, size_t graphLength);

// An open archive: its (validated) table and the whole of VGAGRAPH.
struct VgaArchive {
    ChunkTable table;
    std::vector<uint8_t> graph;
    int chunkCount() const { return table.chunkCount(); }
    // The stored bytes of chunk c of a validated table (empty when c is out of range).
    std::span<const uint8_t> storedBytes(int c) const;
};

// What LoadChunk needs besides the archive: the dictionary and which chunk is the tile8 chunk
// (it has no length field); -1 when none is.
struct ChunkContext {
    const VgaArchive& archive;
    const HuffmanDict& dict;
    int tile8Chunk = -1;
};

// The expanded chunk c, or the Error the program reports for it.
Result<std::vector<uint8_t>> LoadChunk(int c, const ChunkContext& ctx);

struct PictureSize {
    int16_t width = 0;
    int16_t height = 0;
    bool operator==(const PictureSize&) const = default;
};

// Kind tests. A chunk that cannot be loaded simply fails the test.
bool isFontChunk(int c, const ChunkContext& ctx);
bool isScreenChunk(int c, const ChunkContext& ctx);
bool isFontData(std::span<const uint8_t> expanded);
bool isScreenData(std::span<const uint8_t> expanded);
// The unbroken run of fonts from chunk 1, counted with no chunk taken for the tile8 chunk.
int countFonts(const VgaArchive& archive, const HuffmanDict& dict);
// The picture table decoded from chunk 0's bit stream, its length taken from the decoded data
// and invalid trailing entries dropped.
std::vector<PictureSize> readPictureTable(const VgaArchive& archive, const HuffmanDict& dict);
std::vector<PictureSize> decodePictureTable(std::span<const uint8_t> stream,
                                            const HuffmanDict& dict);

// Font count, first picture chunk, picture table and tile8 chunk of an archive.
struct ArchiveLayout {
    int fonts = 0;
    std::vector<PictureSize> pictures;
    int firstPictureChunk() const { return fonts + 1; }
    int tile8Chunk() const { return fonts + 1 + int(pictures.size()); }
};
ArchiveLayout scanLayout(const VgaArchive& archive, const HuffmanDict& dict);

} // namespace zentrik
