#include "app/LoadAllRunner.h"

#include <map>
#include <system_error>

namespace zentrik {

namespace fs = std::filesystem;

namespace {

const fs::path& name(const LoadAllNames& names, LoadAllField f) {
    return names[size_t(f)];
}

// A field that names nothing, or names the folder itself, is never written to.
bool writable(const fs::path& p) {
    std::error_code ec;
    return !p.empty() && !fs::is_directory(p, ec);
}

} // namespace

std::vector<LoadAllOutcome>
LoadAllSession::load(LoadAllIO& io, const LoadAllNames& names,
                     const std::function<void(const std::string&)>& step) {
    reset();
    m_names = names;
    m_active = true;
    std::vector<LoadAllOutcome> out;
    auto attempt = [&](const char* what, const fs::path& file, std::initializer_list<DataSet> sets,
                       const std::function<bool()>& run) {
        if (step)
            step(what);
        if (file.empty()) {
            out.push_back({what, file, false, true});
            return;
        }
        const bool ok = run();
        out.push_back({what, file, ok, false});
        for (DataSet s : sets)
            m_owned[size_t(s)] = ok;
    };
    using F = LoadAllField;
    attempt("Huffman-Table", name(names, F::VgaDict), {},
            [&] { return io.loadDictionary(name(names, F::VgaDict)); });
    attempt("Maps", name(names, F::MapData), {DataSet::Maps},
            [&] { return io.loadMaps(name(names, F::MapData), name(names, F::MapHeader)); });
    attempt("Walls", name(names, F::Walls), {DataSet::Walls},
            [&] { return io.loadWalls(name(names, F::Walls)); });
    attempt("Sprites", name(names, F::Sprites), {DataSet::Sprites},
            [&] { return io.loadSprites(name(names, F::Sprites)); });
    attempt("Sounds", name(names, F::Sounds), {DataSet::Sounds},
            [&] { return io.loadSounds(name(names, F::Sounds)); });
    attempt("Graphics", name(names, F::VgaData),
            {DataSet::Graphics, DataSet::Fonts, DataSet::Screens, DataSet::Tile8s},
            [&] { return io.loadGraphics(name(names, F::VgaHeader), name(names, F::VgaData)); });
    attempt("Music", name(names, F::AudioData), {DataSet::Music},
            [&] { return io.loadMusic(name(names, F::AudioData), name(names, F::AudioHeader)); });
    return out;
}

std::vector<LoadAllOutcome> LoadAllSession::compressAll(LoadAllIO& io) {
    return save(io, false);
}

std::vector<LoadAllOutcome> LoadAllSession::saveAll(LoadAllIO& io) {
    return save(io, true);
}

std::vector<LoadAllOutcome> LoadAllSession::save(LoadAllIO& io, bool onlyModified) {
    std::vector<LoadAllOutcome> out;
    if (!m_active)
        return out;
    auto due = [&](DataSet s) { return owns(s) && (!onlyModified || io.isModified(s)); };
    auto refuse = [&](const char* what, const fs::path& file) {
        out.push_back({what, file, false, true});
    };
    using F = LoadAllField;

    if (due(DataSet::Maps)) {
        const fs::path& data = name(m_names, F::MapData);
        const fs::path& header = name(m_names, F::MapHeader);
        // An empty header field lets the saver put MAPHEAD beside the map file, as a load did.
        if (writable(data) && (header.empty() || writable(header)))
            out.push_back({"Save Maps", data, io.saveMaps(data, header), false});
        else
            refuse("Save Maps", data);
    }

    // Walls, sprites and sounds that live in one file are rewritten by one save.
    std::map<fs::path, PageParts> pageFiles;
    std::vector<fs::path> pageOrder;
    auto addPart = [&](DataSet s, F field, bool PageParts::*part) {
        if (!due(s))
            return;
        const fs::path& file = name(m_names, field);
        if (!writable(file)) {
            refuse(s == DataSet::Walls     ? "Save Walls"
                   : s == DataSet::Sprites ? "Save Sprites"
                                           : "Save sounds",
                   file);
            return;
        }
        if (!pageFiles.count(file))
            pageOrder.push_back(file);
        pageFiles[file].*part = true;
    };
    addPart(DataSet::Walls, F::Walls, &PageParts::walls);
    addPart(DataSet::Sprites, F::Sprites, &PageParts::sprites);
    addPart(DataSet::Sounds, F::Sounds, &PageParts::sounds);
    for (const fs::path& file : pageOrder)
        out.push_back({"Save VSWAP", file, io.savePageFile(file, pageFiles[file]), false});

    // Right after a load the graphics archive has no changes: even "Compress all" writes only
    // what changed, since the archive is rebuilt in place either way.
    auto changed = [&](DataSet s) { return owns(s) && io.isModified(s); };
    const VgaParts vga{changed(DataSet::Graphics), changed(DataSet::Screens),
                       changed(DataSet::Fonts), changed(DataSet::Tile8s)};
    if (vga.any()) {
        const fs::path& header = name(m_names, F::VgaHeader);
        const fs::path& data = name(m_names, F::VgaData);
        if (writable(header) && writable(data))
            out.push_back({"Save VGA", data, io.saveGraphics(header, data, vga), false});
        else
            refuse("Save VGA", data);
    }

    // The songs, like the graphics archive, are written into the archive they came from.
    if (changed(DataSet::Music)) {
        const fs::path& header = name(m_names, F::AudioHeader);
        const fs::path& data = name(m_names, F::AudioData);
        if (writable(data) && (header.empty() || writable(header)))
            out.push_back({"Save music", data, io.saveMusic(data, header), false});
        else
            refuse("Save music", data);
    }
    return out;
}

std::string summarize(const std::vector<LoadAllOutcome>& outcomes) {
    std::string text;
    for (const LoadAllOutcome& o : outcomes) {
        text += o.what + ": ";
        if (o.skipped)
            text += o.file.empty() ? "no file" : "not written (" + o.file.string() + ")";
        else
            text += (o.ok ? "" : "failed, ") + o.file.filename().string();
        text += "\n";
    }
    return text;
}

} // namespace zentrik
