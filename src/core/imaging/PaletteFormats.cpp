#include "imaging/PaletteFormats.h"

#include "imaging/PngCodec.h"

#include <algorithm>
#include <sstream>
#include <string>

namespace zentrik {

namespace {

const Error kBadPalette{"The file holds no palette this program can read.",
                        "Unable to import palette!"};

std::string textOf(std::span<const uint8_t> bytes) {
    return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

bool startsWith(const std::string& text, const char* head) {
    return text.rfind(head, 0) == 0;
}

// "R G B" at the start of a line, each 0..255.
bool readRgb(const std::string& line, Rgb& out) {
    std::istringstream in(line);
    int r = -1, g = -1, b = -1;
    if (!(in >> r >> g >> b) || r < 0 || g < 0 || b < 0 || r > 255 || g > 255 || b > 255)
        return false;
    out = Rgb{uint8_t(r), uint8_t(g), uint8_t(b)};
    return true;
}

// Up to `limit` entries from the colour lines; comments and blank lines are skipped. The
// palette changes only when every line read was a colour.
Status readEntries(std::istringstream& lines, GamePalette& palette, size_t limit) {
    GamePalette read = palette;
    size_t n = 0;
    std::string line;
    while (n < limit && n < read.entries.size() && std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        if (!readRgb(line, read.entries[n]))
            return kBadPalette;
        ++n;
    }
    if (n == 0)
        return kBadPalette;
    palette = read;
    return {};
}

} // namespace

Status importJascPalette(std::span<const uint8_t> bytes, GamePalette& palette) {
    std::istringstream lines(textOf(bytes));
    std::string magic, version, countLine;
    std::getline(lines, magic);
    std::getline(lines, version);
    std::getline(lines, countLine);
    if (!startsWith(magic, "JASC-PAL"))
        return kBadPalette;
    int count = 0;
    try {
        count = std::stoi(countLine);
    } catch (...) {
        return kBadPalette;
    }
    if (count <= 0)
        return kBadPalette;
    return readEntries(lines, palette, size_t(count));
}

Status importGimpPalette(std::span<const uint8_t> bytes, GamePalette& palette) {
    std::istringstream lines(textOf(bytes));
    std::string magic;
    std::getline(lines, magic);
    if (!startsWith(magic, "GIMP Palette"))
        return kBadPalette;
    // Header lines ("Name: ...", "Columns: ...") stand before the colours.
    std::string rest, line;
    while (std::getline(lines, line))
        if (!startsWith(line, "Name:") && !startsWith(line, "Columns:"))
            rest += line + "\n";
    std::istringstream colours(rest);
    return readEntries(colours, palette, palette.entries.size());
}

Status importPngPalette(std::span<const uint8_t> png, GamePalette& palette) {
    auto picture = readPng(png);
    if (!picture)
        return picture.error();
    if (picture->colorTable.empty())
        return Error{"The picture does not contain a palette!", "Unable to import palette!"};
    for (size_t i = 0; i < picture->colorTable.size() && i < palette.entries.size(); ++i)
        palette.entries[i] = picture->colorTable[i];
    return {};
}

Status importAnyPalette(std::span<const uint8_t> bytes, GamePalette& palette) {
    const std::string head = textOf(bytes.first(std::min<size_t>(bytes.size(), 16)));
    if (isPng(bytes))
        return importPngPalette(bytes, palette);
    if (startsWith(head, "JASC-PAL"))
        return importJascPalette(bytes, palette);
    if (startsWith(head, "GIMP Palette"))
        return importGimpPalette(bytes, palette);
    if (startsWith(head, "BM"))
        return importBmpPalette(bytes, palette);
    return importPalPalette(bytes, palette);
}

} // namespace zentrik
