#include "imaging/PaletteLibrary.h"

#include "imaging/PaletteFormats.h"
#include "io/SafeFile.h"

#include <algorithm>
#include <cctype>

namespace fs = std::filesystem;

namespace zentrik {

namespace {

constexpr uint64_t kMaxImportBytes = 64u * 1024 * 1024;

std::string lowerExtension(const fs::path& p) {
    std::string e = p.extension().string();
    if (!e.empty() && e[0] == '.')
        e.erase(0, 1);
    for (char& c : e)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return e;
}

} // namespace

fs::path PaletteLibrary::pathOf(const std::string& name) const {
    return m_folder / (name + ".pal");
}

void PaletteLibrary::changed() {
    if (onPaletteChanged)
        onPaletteChanged();
}

void PaletteLibrary::scan() {
    m_names.clear();
    std::vector<std::string> found;
    std::error_code ec;
    for (fs::directory_iterator it(m_folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string file = it->path().filename().string();
        if (file.size() > 4 && lowerExtension(file) == "pal")
            found.push_back(file.substr(0, file.size() - 4));
    }
    // Sorted, so the list reads the same on every file system.
    std::sort(found.begin(), found.end());
    for (const std::string& name : found) {
        m_names.push_back(name);
        if (int(m_names.size()) == kMaxPalettes) {
            m_prompter.message("Too many palettes! Only 100 supported!\nIf this is an problem for "
                               "you, please contact us, so we can change it!",
                               "Warning: Too many palettes!", MessageIcon::Exclamation);
            break;
        }
    }
}

bool PaletteLibrary::select(const std::string& name) {
    auto bytes = readWholeFile(pathOf(name), kMaxImportBytes);
    if (!bytes) {
        m_prompter.message(pathOf(name).string(), "Cannot Open", MessageIcon::Exclamation);
        return false;
    }
    readPalBytes(*bytes, m_palette);
    changed();
    return true;
}

bool PaletteLibrary::save(const fs::path& path) {
    if (!replaceFile(path, palFileBytes(m_palette))) {
        m_prompter.message(path.string(), "Cannot Open", MessageIcon::Exclamation);
        return false;
    }
    return true;
}

bool PaletteLibrary::importFrom(const fs::path& path) {
    const std::string ext = lowerExtension(path);
    if (ext != "bmp" && ext != "pal" && ext != "png" && ext != "gpl")
        return false;
    auto bytes = readWholeFile(path, kMaxImportBytes);
    if (!bytes) {
        m_prompter.message(path.string(), "Unable to open palette file:", MessageIcon::Exclamation);
        return false;
    }
    const GamePalette before = m_palette;
    const Status st =
        ext == "bmp" ? importBmpPalette(*bytes, m_palette) : importAnyPalette(*bytes, m_palette);
    if (!st)
        m_prompter.message(st.error().text, st.error().caption, MessageIcon::Exclamation);
    if (m_palette != before)
        changed();
    return bool(st);
}

bool PaletteLibrary::exportTo(const fs::path& path) {
    const bool inc = lowerExtension(path) == "inc";
    const std::string text = paletteSourceText(m_palette, inc);
    const auto* p = reinterpret_cast<const uint8_t*>(text.data());
    if (!replaceFile(path, std::span(p, text.size()))) {
        m_prompter.message("Unable to create palette file:\n" + path.string(), "Palette export...",
                           MessageIcon::Exclamation);
        return false;
    }
    m_prompter.message(inc ? "Successfully exported to Wolfenstein 3D format!"
                           : "Successfully exported to Wolf4SDL format!",
                       "Palette export...", MessageIcon::Information);
    return true;
}

bool PaletteLibrary::rip(const std::optional<std::vector<Rgb>>& clipboard) {
    const Status st = ripPalette(clipboard, m_palette);
    if (!st) {
        m_prompter.message(st.error().text, st.error().caption, MessageIcon::Exclamation);
        return false;
    }
    changed();
    return true;
}

void PaletteLibrary::setCurrent(const GamePalette& palette) {
    m_palette = palette;
    changed();
}

void PaletteLibrary::changeEntry(int index, int all, int dr, int dg, int db, bool grey) {
    if (index < 0 || index >= kPaletteEntries)
        return;
    Rgb& c = m_palette.entries[size_t(index)];
    c = changeColor(c, all, dr, dg, db, grey);
    changed();
}

bool PaletteLibrary::canAddPalette() {
    if (int(m_names.size()) < kMaxPalettes)
        return true;
    m_prompter.message("Zentrik currently only supports 100 palettes.\nIf this is a problem for "
                       "you, please contact us!",
                       "Unable to add more palettes!", MessageIcon::Exclamation);
    return false;
}

bool PaletteLibrary::createNew(const std::string& name, NewSource source,
                               const std::optional<std::vector<Rgb>>& clipboard,
                               const std::optional<fs::path>& importPath) {
    if (name.empty() || !canAddPalette())
        return false;
    if (source == NewSource::Rip && !rip(clipboard))
        return false;
    if (source == NewSource::Import && (!importPath || !importFrom(*importPath)))
        return false;
    std::error_code ec;
    fs::create_directories(m_folder, ec);
    if (!replaceFile(pathOf(name), palFileBytes(m_palette))) {
        m_prompter.message(pathOf(name).string(),
                           "Unable to create palette file:", MessageIcon::Exclamation);
        return false;
    }
    if (std::find(m_names.begin(), m_names.end(), name) == m_names.end())
        m_names.push_back(name);
    if (onPaletteAdded)
        onPaletteAdded(name);
    return true;
}

} // namespace zentrik
