#pragma once

#include "io/CompanionFile.h"
#include "vgagraph/Huffman.h"
#include "vgagraph/VgaArchive.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zentrik {

// The archive's three files: folder + VGAGRAPH/VGAHEAD/VGADICT + "." + the data set's suffix,
// unless named one by one.
struct VgaFileSet {
    std::filesystem::path folder;
    std::string extension;
    // Names given explicitly (Load All's fields); empty ones are STEM.extension in folder.
    std::filesystem::path head{}, graph{}, dict{};

    static VgaFileSet fromGraphPath(const std::filesystem::path& graphPath);
    // The data file with the header and dictionary named beside it; empty names are derived.
    static VgaFileSet named(const std::filesystem::path& header, const std::filesystem::path& data,
                            const std::filesystem::path& dict) {
        VgaFileSet files = fromGraphPath(data);
        if (!header.empty())
            files.head = header;
        if (!dict.empty())
            files.dict = dict;
        return files;
    }
    std::filesystem::path graphPath() const {
        return graph.empty() ? folder / ("VGAGRAPH." + extension) : graph;
    }
    std::filesystem::path headPath() const {
        return head.empty() ? folder / ("VGAHEAD." + extension) : head;
    }
    std::filesystem::path dictPath() const {
        return dict.empty() ? folder / ("VGADICT." + extension) : dict;
    }
};

inline VgaFileSet VgaFileSet::fromGraphPath(const std::filesystem::path& graphPath) {
    std::string ext = graphPath.extension().string();
    if (!ext.empty() && ext.front() == '.')
        ext.erase(0, 1);
    const auto folder = graphPath.parent_path();
    return {folder, ext, companionFile(folder, "VGAHEAD", ext), graphPath,
            companionFile(folder, "VGADICT", ext)};
}

// Pictures and what the pictures writer needs to rebuild an archive on its own: the fonts and
// the chunks after the pictures as they were stored.
struct GraphicsSet {
    int firstPictureChunk = -1;
    std::vector<PictureSize> table;
    std::vector<std::vector<uint8_t>> pictures; // planar, width x height bytes each
    std::vector<std::vector<uint8_t>> fontChunks;
    std::vector<std::vector<uint8_t>> otherChunks;
    std::filesystem::path source;
    bool loaded = false;
    bool changed = false;

    int pictureCount() const { return int(pictures.size()); }
};

struct FontSet {
    std::vector<std::vector<uint8_t>> fonts; // expanded font chunks 1 .. F
    std::filesystem::path source;
    bool loaded = false;
    bool changed = false;
};

// An expanded screen chunk (kScreenChunkBytes) and the chunk it came from.
struct ScreenRecord {
    std::vector<uint8_t> bytes;
    uint32_t chunk = 0;
};

struct ScreenSet {
    std::vector<ScreenRecord> screens;
    std::filesystem::path source;
    bool loaded = false;
    bool changed = false;
};

struct Tile8Set {
    std::vector<uint8_t> tiles; // kTile8ChunkBytes
    std::filesystem::path source;
    bool loaded = false;
    bool changed = false;
};

// Everything the program holds of the graphics archive. The dictionary is shared by the four
// kinds; dictLoaded is cleared when the user picks another archive.
struct VgaGraphState {
    HuffmanDict dict;
    CodeTable codes;
    bool dictLoaded = false;
    std::filesystem::path dictSource;

    GraphicsSet graphics;
    FontSet fonts;
    ScreenSet screens;
    Tile8Set tile8s;

    bool anyLoaded() const {
        return graphics.loaded || fonts.loaded || screens.loaded || tile8s.loaded;
    }
    bool anyChanged() const {
        return graphics.changed || fonts.changed || screens.changed || tile8s.changed;
    }
};

} // namespace zentrik
