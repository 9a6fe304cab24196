#include "maps/LevelPicture.h"

#include "vgagraph/TextFont.h"

#include <algorithm>

namespace zentrik {

namespace {

constexpr int kGlyphWidth = 8, kGlyphHeight = 16;

class Canvas {
public:
    Canvas(LevelPicture& p) : m_p(p) {}
    void set(int x, int y, uint8_t c) {
        if (x >= 0 && y >= 0 && x < m_p.width && y < m_p.height)
            m_p.pixels[size_t(y) * size_t(m_p.width) + size_t(x)] = c;
    }
    void fill(int x0, int y0, int w, int h, uint8_t c) {
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x)
                set(x, y, c);
    }
    void frame(int x0, int y0, int size, int thick, uint8_t c) {
        fill(x0, y0, size, thick, c);
        fill(x0, y0 + size - thick, size, thick, c);
        fill(x0, y0, thick, size, c);
        fill(x0 + size - thick, y0, thick, size, c);
    }
    // An image (y from the top) scaled to size x size; transparent pixels keep what is below.
    void image(const IndexedImage& img, int x0, int y0, int size, bool transparent) {
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const uint8_t c = img.at(x * img.side / size, y * img.side / size);
                if (!transparent || c != TransparentIndex)
                    set(x0 + x, y0 + y, c);
            }
    }
    void text(const std::string& s, int x0, int y0, uint8_t c) {
        for (size_t i = 0; i < s.size(); ++i) {
            const int gx = x0 + int(i) * kGlyphWidth;
            if (gx + kGlyphWidth > m_p.width)
                return;
            const uint8_t code = static_cast<uint8_t>(s[i]);
            for (int r = 0; r < kGlyphHeight; ++r) {
                const uint8_t bits = kTextFont8x16[size_t(code) * kGlyphHeight + size_t(r)];
                for (int b = 0; b < kGlyphWidth; ++b)
                    if (bits & (0x80 >> b))
                        set(gx + b, y0 + r, c);
            }
        }
    }

private:
    LevelPicture& m_p;
};

const IndexedImage* wallImage(const WallSet& walls, int page) {
    if (page < 0 || page >= walls.count() || !walls.images[size_t(page)])
        return nullptr;
    return &*walls.images[size_t(page)];
}

void drawCell(Canvas& c, const Level& level, const SymbolSet& symbols, const WallSet& walls, int x,
              int y, int n) {
    const uint16_t v = level.planes[0][size_t(y * kMapSide + x)];
    const ObjectDescriptionTable& t = symbols.objects;
    for (const DoorDescription& d : t.doors)
        if (d.value == v) {
            const int page = d.texture < 0 ? walls.count() + d.texture : d.texture;
            if (const IndexedImage* img = wallImage(walls, page))
                c.image(*img, x * n, y * n, n, false);
            else
                c.fill(x * n, y * n, n, n, kPictureMissingArt);
            return;
        }
    const uint16_t firstFloor =
        t.floorCodes.empty() ? kFirstDefaultFloorCode : *t.floorCodes.begin();
    if (t.floorCodes.count(v)) {
        c.fill(x * n, y * n, n, n, kPictureFloor);
    } else if (v != 0 && v < firstFloor) {
        // The north face: the lighter of the wall's two pages.
        const IndexedImage* img = wallImage(walls, 2 * ((v - 1) % 64));
        if (img)
            c.image(*img, x * n, y * n, n, false);
        else
            c.fill(x * n, y * n, n, n, kPictureMissingArt);
    } else {
        c.fill(x * n, y * n, n, n, kPictureVoid);
    }
}

bool spawns(const ObjectDescription& d, int skill) {
    return d.type != kObjectActor || d.difficulty <= skill || d.difficulty == kBossDifficulty;
}

// The player start: a triangle toward its facing (flag 0 east, 1 north, 2 west, 3 south).
void drawStart(Canvas& c, int x0, int y0, int n, int facing) {
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
            // In the cell's frame turned so that the triangle points east.
            const int along = facing == 0   ? i
                              : facing == 2 ? n - 1 - i
                              : facing == 1 ? n - 1 - j
                                            : j;
            const int across = facing == 0 || facing == 2 ? j : i;
            const int half = (n - along) / 2;
            if (along >= n / 8 && std::abs(across - n / 2) < half)
                c.set(x0 + i, y0 + j, kPictureStart);
        }
}

void drawObject(Canvas& c, const SymbolSet& symbols, const SpriteSet& sprites, uint16_t v, int x,
                int y, int n, int skill) {
    const ObjectDescription& d = symbols.objects.at(v);
    const int x0 = x * n, y0 = y * n;
    switch (d.type) {
    case kObjectNone:
        return;
    case kObjectPlayerStart:
        drawStart(c, x0, y0, n, d.flag % 4);
        return;
    case kObjectDirectionMark:
        c.fill(x0 + n / 2 - n / 8, y0 + n / 2 - n / 8, std::max(1, n / 4), std::max(1, n / 4),
               kPictureArrow);
        return;
    case kObjectPushwall:
        c.frame(x0 + n / 4, y0 + n / 4, n - n / 2, std::max(1, n / 8), kPicturePushwall);
        return;
    default:
        break;
    }
    if (!spawns(d, skill))
        return;
    if (d.sprite < sprites.count() && sprites.images[d.sprite])
        c.image(*sprites.images[d.sprite], x0, y0, n, true);
}

void drawProblems(Canvas& c, const std::vector<LevelProblem>& problems, int n, int legendTop) {
    const int thick = std::max(1, n / 8);
    for (const LevelProblem& p : problems)
        if (p.x >= 0 && p.y >= 0 && p.x < kMapSide && p.y < kMapSide)
            c.frame(p.x * n, p.y * n, n, thick, problemColor(p.severity));
    int y = legendTop;
    for (size_t i = 0; i < problems.size(); ++i, y += kLegendLineHeight) {
        const LevelProblem& p = problems[i];
        if (i + 1 == size_t(kMaxLegendLines) && problems.size() > size_t(kMaxLegendLines)) {
            c.text("... and " + std::to_string(problems.size() - i) + " more", 2, y, kPictureText);
            return;
        }
        c.fill(2, y + 3, 10, 10, problemColor(p.severity));
        const std::string cell =
            p.x >= 0 ? std::to_string(p.x) + "," + std::to_string(p.y) : "level";
        c.text(cell + " " + p.rule + ": " + p.message, 16, y, kPictureText);
    }
}

} // namespace

uint8_t problemColor(Severity s) {
    return s == Severity::Error     ? kPictureError
           : s == Severity::Warning ? kPictureWarning
                                    : kPictureInfo;
}

LevelPicture renderLevelPicture(const Level& level, const SymbolSet& symbols, const WallSet& walls,
                                const SpriteSet& sprites, const LevelPictureOptions& options) {
    const int n = std::clamp(options.cell, kMinPictureCell, kMaxPictureCell);
    LevelPicture p;
    p.width = kMapSide * n;
    const int lines = std::min<int>(int(options.problems.size()), kMaxLegendLines);
    p.height = kMapSide * n + (lines > 0 ? lines * kLegendLineHeight + 4 : 0);
    p.pixels.assign(size_t(p.width) * size_t(p.height), kPictureVoid);
    if (level.planes[0].size() != size_t(kPlaneWords) ||
        level.planes[1].size() != size_t(kPlaneWords))
        return p;
    Canvas c(p);
    for (int y = 0; y < kMapSide; ++y)
        for (int x = 0; x < kMapSide; ++x) {
            drawCell(c, level, symbols, walls, x, y, n);
            drawObject(c, symbols, sprites, level.planes[1][size_t(y * kMapSide + x)], x, y, n,
                       options.skill);
        }
    drawProblems(c, options.problems, n, kMapSide * n + 4);
    return p;
}

} // namespace zentrik
