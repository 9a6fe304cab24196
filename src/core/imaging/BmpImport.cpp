#include "imaging/BmpImport.h"

#include "imaging/PictureFile.h"
#include "io/SafeFile.h"

#include <algorithm>
#include <cstdio>

namespace zentrik {

namespace {

constexpr int kImportBarMax = 102;
constexpr int kSub = 256; // sample positions in 1/256 pixel

const char* const kResizeQuestion =
    "The picture is %s than the current chunk.\nDo you want me to resize the current chunk "
    "to let the whole picture have a place?";
const char* const kResampleQuestion =
    "Do you want me to resample the picture to this chunk's size?\n(Otherwise I will just copy "
    "the upper left corner of the picture into this chunk.\nFor better control over the section "
    "you want to import, import it into a Graphics chunk\nat full size and copy and paste it to "
    "the location you want.\nIf you need additional resizing, you gotta play a bit around with "
    "im- and exporting...)";

const char* const kNearestButton = "Nearest neighbour";
const char* const kSmoothButton = "Smooth";
const char* const kCopyButton = "Copy corner";

enum class Fit { Copy, Resample, Nearest, Resize, Cancel };

std::string format(const char* pattern, const std::string& word) {
    std::string out = pattern;
    out.replace(out.find("%s"), 2, word);
    return out;
}

std::string sizesLine(const BmpPicture& pic, const BmpTarget& target) {
    return "\n\nThe picture is " + std::to_string(pic.width) + " x " + std::to_string(pic.height) +
           ", the chunk " + std::to_string(target.width()) + " x " +
           std::to_string(target.height());
}

Fit askFit(const BmpPicture& pic, const BmpTarget& target, Prompter& prompter) {
    if (pic.width == target.width() && pic.height == target.height())
        return Fit::Copy;
    const std::string sizes = sizesLine(pic, target);
    if (target.canResize()) {
        const bool larger = pic.width > target.width() || pic.height > target.height();
        const Answer a =
            prompter.ask(format(kResizeQuestion, larger ? "larger" : "smaller") + sizes,
                         "Picture doesn't fit!", Buttons::YesNoCancel, MessageIcon::Question);
        if (a == Answer::Cancel)
            return Fit::Cancel;
        if (a == Answer::Yes)
            return Fit::Resize;
    }
    const std::vector<std::string> buttons{kNearestButton, kSmoothButton, kCopyButton};
    const bool pixelArt = integerRatio(pic.width, pic.height, target.width(), target.height());
    const std::optional<int> c = prompter.choose(std::string(kResampleQuestion) + sizes,
                                                 "Resample picture?", buttons, pixelArt ? 0 : 1);
    if (!c)
        return Fit::Cancel;
    return *c == 0 ? Fit::Nearest : *c == 1 ? Fit::Resample : Fit::Copy;
}

void percent(Progress* p, int value, int position) {
    if (!p)
        return;
    char text[16];
    std::snprintf(text, sizeof text, "%i %%", value);
    p->setCounter(text);
    p->setPosition(position);
}

} // namespace

bool integerRatio(int pictureWidth, int pictureHeight, int chunkWidth, int chunkHeight) {
    if (pictureWidth <= 0 || pictureHeight <= 0 || chunkWidth <= 0 || chunkHeight <= 0)
        return false;
    auto same = [](int big, int bigH, int small, int smallH) {
        return big % small == 0 && bigH % smallH == 0 && big / small == bigH / smallH;
    };
    return pictureWidth >= chunkWidth ? same(pictureWidth, pictureHeight, chunkWidth, chunkHeight)
                                      : same(chunkWidth, chunkHeight, pictureWidth, pictureHeight);
}

std::vector<uint8_t> scaleNearest(const BmpPicture& pic, int w, int h, NearestColorTable& colors,
                                  bool transparency) {
    const bool keep = pic.indexedWith(colors.palette());
    std::vector<uint8_t> out(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y) {
        // The source pixel under the centre of each chunk pixel.
        const int sy = int((int64_t(2 * y + 1) * pic.height) / (2 * int64_t(h)));
        for (int x = 0; x < w; ++x) {
            const int sx = int((int64_t(2 * x + 1) * pic.width) / (2 * int64_t(w)));
            uint8_t& target = out[size_t(y) * size_t(w) + size_t(x)];
            if (transparency && !pic.opaque(sx, sy)) {
                target = kTransparentIndex;
            } else if (keep) {
                target = pic.index(sx, sy);
            } else {
                const Rgb c = pic.pixel(sx, sy);
                target = colors.MatchColor(c.r, c.g, c.b);
            }
        }
    }
    return out;
}

std::vector<uint8_t> resampleBmp(const BmpPicture& pic, int w, int h, NearestColorTable& colors,
                                 Progress* progress, bool transparency) {
    const int64_t W = pic.width, H = pic.height;
    const int64_t ax = W * kSub - kSub / 2, ay = H * kSub - kSub / 2;
    const int64_t sx = W > w ? ax / w : kSub;
    const int64_t sy = H > h ? ay / h : kSub;
    std::vector<uint8_t> out(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y) {
        percent(progress, int(int64_t(y) * 100 / h), int(int64_t(y) * 100 / h) + 2);
        const int64_t py = y * ay / h, fy = py % kSub;
        const int y0 = int(std::min(py / kSub, H - 1)), y1 = int(std::min((py + sy) / kSub, H - 1));
        for (int x = 0; x < w; ++x) {
            const int64_t px = x * ax / w, fx = px % kSub;
            const int x0 = int(std::min(px / kSub, W - 1));
            const int x1 = int(std::min((px + sx) / kSub, W - 1));
            uint8_t& target = out[size_t(y) * size_t(w) + size_t(x)];
            if (transparency && !pic.opaque(x0, y0)) {
                target = kTransparentIndex;
                continue;
            }
            const Rgb c1 = pic.pixel(x0, y0), c2 = pic.pixel(x1, y0);
            const Rgb c3 = pic.pixel(x0, y1), c4 = pic.pixel(x1, y1);
            auto mix = [&](uint8_t Rgb::*ch) {
                return uint8_t(((kSub - fx) * (kSub - fy) * c1.*ch + fx * (kSub - fy) * c2.*ch +
                                (kSub - fx) * fy * c3.*ch + fx * fy * c4.*ch) /
                               (kSub * kSub));
            };
            target = colors.MatchColor(mix(&Rgb::r), mix(&Rgb::g), mix(&Rgb::b));
        }
    }
    return out;
}

namespace {

// The copied corner as palette indices. A picture drawn with the current palette keeps its
// indices: two entries of the same colour stay apart, so exporting and importing again
// changes nothing.
bool convertCorner(const BmpPicture& pic, int cw, int ch, bool transparency,
                   NearestColorTable& colors, Progress& progress, std::vector<uint8_t>& pixels) {
    const bool keep = pic.indexedWith(colors.palette());
    pixels.resize(size_t(cw) * size_t(ch));
    for (int y = 0; y < ch; ++y) {
        if (progress.cancelled())
            return false;
        percent(&progress, y * 100 / pic.height, y * 100 / ch + 2);
        for (int x = 0; x < cw; ++x) {
            uint8_t& target = pixels[size_t(y) * size_t(cw) + size_t(x)];
            if (transparency && !pic.opaque(x, y)) {
                target = kTransparentIndex;
            } else if (keep) {
                target = pic.index(x, y);
            } else {
                const Rgb c = pic.pixel(x, y);
                target = colors.MatchColor(c.r, c.g, c.b);
            }
        }
    }
    return true;
}

} // namespace

int ImportBmpWorker(std::span<const uint8_t> file, BmpTarget& target, NearestColorTable& colors,
                    Prompter& prompter, Progress& progress) {
    progress.setRange(0, kImportBarMax);
    progress.setPhase("Loading bitmap header...");
    progress.setCounter("");
    progress.setPosition(0);
    auto pic = readPicture(file);
    if (!pic) {
        prompter.message(pic.error().text, pic.error().caption, MessageIcon::Exclamation);
        return JobResult::Failed;
    }
    const Fit fit = askFit(*pic, target, prompter);
    if (fit == Fit::Cancel)
        return JobResult::Failed;
    progress.setPhase("Loading bitmap data...");
    progress.setPosition(1);
    if (pic->truncated)
        prompter.message("The content may be incomplete!", "Unexpected file end!",
                         MessageIcon::Information);
    colors.clearIfStale();
    const int w = fit == Fit::Resize ? pic->width : target.width();
    const int h = fit == Fit::Resize ? pic->height : target.height();
    if (w <= 0 || h <= 0)
        return JobResult::Failed;
    const bool transparency = target.keepsTransparency();
    // Converted into a buffer first: a Cancel leaves the chunk untouched.
    std::vector<uint8_t> pixels;
    int cw = w, ch = h;
    if (fit == Fit::Resample) {
        progress.setPhase("Resampling image to current resolution...");
        pixels = resampleBmp(*pic, w, h, colors, &progress, transparency);
    } else if (fit == Fit::Nearest) {
        progress.setPhase("Resampling image to current resolution...");
        pixels = scaleNearest(*pic, w, h, colors, transparency);
    } else {
        progress.setPhase("Converting colors to wolf palette...");
        cw = std::min(pic->width, w);
        ch = std::min(pic->height, h);
        if (!convertCorner(*pic, cw, ch, transparency, colors, progress, pixels))
            return JobResult::Failed;
    }
    if (progress.cancelled())
        return JobResult::Failed;
    if (fit == Fit::Resize && !target.resize(w, h))
        return JobResult::Failed;
    // One record over exactly the pixels written, so the import is one undo step.
    target.startUndoRecord();
    for (int y = 0; y < ch; ++y)
        for (int x = 0; x < cw; ++x)
            target.setPixel(x, y, pixels[size_t(y) * size_t(cw) + size_t(x)]);
    target.closeUndoRecord(0, 0, cw, ch);
    progress.setCounter("100 %");
    progress.setPosition(kImportBarMax);
    return JobResult::Done;
}

bool ImportBMP(BmpTarget& target, const std::filesystem::path& path, NearestColorTable& colors,
               Prompter& prompter, JobRunner& jobs) {
    auto bytes = readWholeFile(path);
    if (!bytes) {
        prompter.message(path.string(), "Cannot open file:", MessageIcon::Exclamation);
        return false;
    }
    const int code =
        jobs.run([&](Progress& p) { return ImportBmpWorker(*bytes, target, colors, prompter, p); });
    if (code != JobResult::Done)
        return false;
    target.afterImport();
    return true;
}

} // namespace zentrik
