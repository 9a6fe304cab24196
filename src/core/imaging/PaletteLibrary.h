#pragma once

#include "imaging/Palette.h"
#include "platform/Prompter.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zentrik {

inline constexpr int kMaxPalettes = 100;
inline constexpr const char* kPaletteFolderName = "palette";
inline constexpr const char* kPaletteImportFilter =
    "Bitmaps (*.BMP)|*.BMP|Zentrik Palette (*.PAL)|*.PAL||";
inline constexpr const char* kPaletteExportFilter =
    "Wolfenstein 3D palette (*.c)|*.c|Wolf4SDL palette (*.inc)|*.inc|All files|*.*||";
inline constexpr const char* kPaletteSaveFilter = "Palette|*.PAL|Alle Dateien|*.*||";

// The current palette with the palette folder of the program folder: the names found there,
// loading, saving, import, export and "Create new palette". Every change of the current
// palette ends with onPaletteChanged, on which every view that draws with it redraws and the
// nearest-colour cache is marked stale.
class PaletteLibrary {
public:
    PaletteLibrary(std::filesystem::path programDir, Prompter& prompter)
        : m_folder(std::move(programDir) / kPaletteFolderName), m_prompter(prompter) {}

    GamePalette& current() { return m_palette; }
    const GamePalette& current() const { return m_palette; }
    const std::vector<std::string>& names() const { return m_names; }
    const std::filesystem::path& folder() const { return m_folder; }
    std::filesystem::path pathOf(const std::string& name) const;
    std::function<void()> onPaletteChanged;
    // Told of a name added by "Create new palette".
    std::function<void(const std::string&)> onPaletteAdded;

    // Start-up: the ".pal" names of the folder, sorted, at most 100 (with the warning).
    void scan();
    // The palette list's selection: NAME.pal into the current palette.
    bool select(const std::string& name);
    // "SavePalette": the current palette's 768 bytes to the chosen file.
    bool save(const std::filesystem::path& path);
    // "Import palette": by the file's extension (bmp or pal); others do nothing.
    bool importFrom(const std::filesystem::path& path);
    // "Export palette": source text chosen by the extension ("inc" gives the gamepal array).
    bool exportTo(const std::filesystem::path& path);
    // "RipPalette" from the clipboard's screenshot palette (up to 256 entries).
    bool rip(const std::optional<std::vector<Rgb>>& clipboard);
    // Replaces the whole current palette (an extension's palette) and announces it.
    void setCurrent(const GamePalette& palette);
    // Applies "Change Color" to one entry.
    void changeEntry(int index, int all, int dr, int dg, int db, bool grey);

    enum class NewSource { CopyCurrent, Rip, Import };
    // "Create new palette": takes the palette from the source, writes NAME.pal, adds the name.
    bool createNew(const std::string& name, NewSource source,
                   const std::optional<std::vector<Rgb>>& clipboard = {},
                   const std::optional<std::filesystem::path>& importPath = {});
    // The limit check done before the "New palette..." dialog opens.
    bool canAddPalette();

private:
    void changed();

    std::filesystem::path m_folder;
    Prompter& m_prompter;
    GamePalette m_palette;
    std::vector<std::string> m_names;
};

} // namespace zentrik
