#pragma once

#include "platform/Prompter.h"
#include "Result.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zentrik {

class PaletteLibrary;

inline constexpr int kMaxExtensions = 100;
inline constexpr size_t kExtensionLineLimit = 348;
inline constexpr size_t kExtensionSuffixLength = 3;
inline constexpr const char* kExtensionsFileName = "extensions.txt";
inline constexpr const char* kNoSymbolSet = " N/A";
inline constexpr const char* kNoPaletteChange = " No Change";
// What applies when the table is empty.
inline constexpr const char* kFallbackSymbolSet = "Wolfenstein 3D";
inline constexpr const char* kFallbackPalette = "Wolfenstein3D";

// One game's configuration: its file suffix, its map-symbol set and its palette.
struct ExtensionRecord {
    ExtensionRecord() = default;
    ExtensionRecord(std::string ext, std::string set = kNoSymbolSet,
                    std::string pal = kNoPaletteChange, std::string profile = {})
        : extension(std::move(ext)), symbolSet(std::move(set)), palette(std::move(pal)),
          engineProfile(std::move(profile)) {}

    std::string extension;
    std::string symbolSet = kNoSymbolSet;
    std::string palette = kNoPaletteChange;
    // The level check's engine profile ("dos", "unlimited"); empty for the default. Written as
    // a fourth field only when set, so older tables read and write as before.
    std::string engineProfile;
    bool operator==(const ExtensionRecord&) const = default;
};

struct ParsedExtensions {
    std::vector<ExtensionRecord> records;
    bool complete = false; // the "#" line was reached (or the 100 records)
};

// "extensions.txt": one "extension,symbol set,palette" per line (lines read 347 characters at a
// time), ended by a line beginning with "#". At most 100 records.
ParsedExtensions parseExtensions(std::string_view text);
std::string formatExtensions(const std::vector<ExtensionRecord>& records);

// "ApplyPalette": the first 768 bytes of palette/NAME.pal become the current palette. A file
// that cannot be opened: "Zentrik" / "Can't find palette!", and the palette stays.
bool ApplyPalette(PaletteLibrary& palettes, const std::string& name, Prompter& prompter);

// The extension table and the current extension. Applying a record loads its symbol set and
// its palette through the hooks, which the program connects to the symbol sets and palettes.
class ExtensionTable {
public:
    explicit ExtensionTable(Prompter& prompter) : m_prompter(prompter) {}

    std::function<void(const std::string& symbolSet)> loadSymbolSet;
    std::function<void(const std::string& palette)> applyPalette;

    // Start-up: reads the file (an absent file leaves the table empty, silently), then applies
    // the record of lastExtension (the last one that matches), else the first, else the
    // fallbacks.
    void load(const std::filesystem::path& programDir, const std::string& lastExtension);
    Status save(const std::filesystem::path& programDir) const;

    const std::vector<ExtensionRecord>& records() const { return m_records; }
    void setRecords(std::vector<ExtensionRecord> records);
    const std::string& lastExtension() const { return m_lastExtension; }

    // A click on row `row`; the row after the last record is the empty new row, which loads
    // nothing and empties the current extension.
    bool SelectExtension(int row);
    // The first record whose extension equals the suffix, case ignored.
    bool SelectExtensionByName(const std::string& suffix);

    // Editing the extension cell: upper case, 3 characters; text in the empty row adds a
    // record; an empty text asks before it removes the record. Returns false when refused.
    bool editExtension(int row, const std::string& text);

private:
    void apply(const ExtensionRecord& r);

    Prompter& m_prompter;
    std::vector<ExtensionRecord> m_records;
    std::string m_lastExtension;
};

} // namespace zentrik
