#include "app/ExtensionTable.h"

#include "check/EngineProfile.h"
#include "imaging/PaletteLibrary.h"
#include "io/SafeFile.h"

#include <algorithm>
#include <cctype>

namespace fs = std::filesystem;

namespace zentrik {

namespace {

constexpr uint64_t kMaxExtensionsFileBytes = 4u * 1024 * 1024;

std::string upper(std::string s) {
    for (char& c : s)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

ExtensionRecord parseRecord(std::string line) {
    // The palette runs to the line end, which is not part of the name.
    if (!line.empty() && line.back() == '\n')
        line.pop_back();
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    ExtensionRecord r;
    const size_t c1 = line.find(',');
    r.extension = line.substr(0, c1);
    if (c1 == std::string::npos) {
        r.symbolSet.clear();
        r.palette.clear();
        return r;
    }
    const size_t c2 = line.find(',', c1 + 1);
    r.symbolSet = line.substr(c1 + 1, c2 == std::string::npos ? std::string::npos : c2 - c1 - 1);
    r.palette = c2 == std::string::npos ? std::string() : line.substr(c2 + 1);
    if (const size_t c3 = r.palette.rfind(','); c3 != std::string::npos) {
        const std::string id = r.palette.substr(c3 + 1);
        if (engineProfileById(id)) {
            r.engineProfile = id;
            r.palette.resize(c3);
        }
    }
    return r;
}

} // namespace

ParsedExtensions parseExtensions(std::string_view text) {
    ParsedExtensions out;
    size_t pos = 0;
    while (int(out.records.size()) < kMaxExtensions) {
        if (pos >= text.size())
            return out; // the file ended before its "#" line
        // Lines are read in pieces of at most 347 characters, as the table always was.
        size_t end = text.find('\n', pos);
        end = end == std::string_view::npos ? text.size() : end + 1;
        end = std::min(end, pos + kExtensionLineLimit - 1);
        const std::string line(text.substr(pos, end - pos));
        pos = end;
        if (line[0] == '#') {
            out.complete = true;
            return out;
        }
        out.records.push_back(parseRecord(line));
    }
    out.complete = true;
    return out;
}

std::string formatExtensions(const std::vector<ExtensionRecord>& records) {
    std::string out;
    for (const ExtensionRecord& r : records)
        out += r.extension + "," + r.symbolSet + "," + r.palette +
               (r.engineProfile.empty() ? "" : "," + r.engineProfile) + "\n";
    return out + "#\n";
}

bool ApplyPalette(PaletteLibrary& palettes, const std::string& name, Prompter& prompter) {
    auto bytes = readWholeFile(palettes.pathOf(name), kMaxExtensionsFileBytes);
    if (!bytes) {
        prompter.message("Zentrik", "Can't find palette!", MessageIcon::Exclamation);
        return false;
    }
    GamePalette p = palettes.current();
    readPalBytes(*bytes, p);
    palettes.setCurrent(p);
    return true;
}

void ExtensionTable::setRecords(std::vector<ExtensionRecord> records) {
    if (records.size() > size_t(kMaxExtensions))
        records.resize(kMaxExtensions);
    m_records = std::move(records);
}

void ExtensionTable::load(const fs::path& programDir, const std::string& lastExtension) {
    m_records.clear();
    m_lastExtension = lastExtension;
    if (auto bytes = readWholeFile(programDir / kExtensionsFileName, kMaxExtensionsFileBytes)) {
        const std::string text(bytes->begin(), bytes->end());
        ParsedExtensions parsed = parseExtensions(text);
        m_records = std::move(parsed.records);
        if (!parsed.complete)
            m_prompter.message("Can't load Extensions.txt", "Zentrik");
    }
    if (m_records.empty()) {
        apply(ExtensionRecord{"", kFallbackSymbolSet, kFallbackPalette});
        return;
    }
    auto match = std::find_if(m_records.rbegin(), m_records.rend(), [&](const ExtensionRecord& r) {
        return r.extension == lastExtension;
    });
    apply(match != m_records.rend() ? *match : m_records.front());
}

Status ExtensionTable::save(const fs::path& programDir) const {
    const std::string text = formatExtensions(m_records);
    return replaceFile(programDir / kExtensionsFileName,
                       std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

void ExtensionTable::apply(const ExtensionRecord& r) {
    if (r.symbolSet != kNoSymbolSet && loadSymbolSet)
        loadSymbolSet(r.symbolSet);
    if (r.palette != kNoPaletteChange && applyPalette)
        applyPalette(r.palette);
}

bool ExtensionTable::SelectExtension(int row) {
    if (m_records.empty() || row < 0 || row > int(m_records.size()))
        return false;
    if (row == int(m_records.size())) {
        m_lastExtension.clear();
        return true;
    }
    const ExtensionRecord r = m_records[size_t(row)];
    apply(r);
    m_lastExtension = r.extension;
    return true;
}

bool ExtensionTable::SelectExtensionByName(const std::string& suffix) {
    const std::string wanted = upper(suffix);
    for (size_t i = 0; i < m_records.size(); ++i)
        if (upper(m_records[i].extension) == wanted)
            return SelectExtension(int(i));
    return false;
}

bool ExtensionTable::editExtension(int row, const std::string& text) {
    if (row < 0 || row > int(m_records.size()))
        return false;
    if (text.empty()) {
        if (row == int(m_records.size()))
            return true;
        if (m_prompter.ask("Do you really want to delete this extension ??", "Zentrik",
                           Buttons::YesNo) != Answer::Yes)
            return false;
        m_records.erase(m_records.begin() + row);
        return true;
    }
    const std::string suffix = upper(text.substr(0, kExtensionSuffixLength));
    if (row == int(m_records.size())) {
        if (int(m_records.size()) >= kMaxExtensions)
            return false;
        m_records.push_back(ExtensionRecord{});
    }
    m_records[size_t(row)].extension = suffix;
    return true;
}

} // namespace zentrik
