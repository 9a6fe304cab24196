#include "pagefile/PageFileWriter.h"

#include "io/ByteWriter.h"
#include "pagefile/SpriteEncoder.h"

#include <cstdio>
#include <limits>

namespace zentrik {

namespace {

constexpr int kSavePhaseMax = 4;
constexpr size_t kMaxChunks = std::numeric_limits<uint16_t>::max();

// One chunk of the file being built; an absent one is written with offset 0 and length 0.
struct OutChunk {
    std::vector<uint8_t> bytes;
    bool absent = false;
};

struct Layout {
    size_t spriteStart = 0;
    size_t soundStart = 0;
    std::vector<OutChunk> chunks;
};

std::string counterText(const char* format, int a, int b) {
    char text[64];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

void phase(Progress& p, const char* text, int position) {
    p.setPhase(text);
    p.setPosition(position);
}

// The existing file's directory; an empty file stands for one that does not exist.
Result<PageDirectory> oldDirectory(std::span<const uint8_t> old) {
    if (old.empty())
        return emptyPageDirectory();
    return readPageDirectory(old);
}

// Appends the old chunks [from, to) as they are.
Status carryOver(const PageDirectory& dir, std::span<const uint8_t> old, int from, int to,
                 Layout& layout) {
    for (int i = from; i < to; ++i) {
        OutChunk c;
        if (dir.absent(i)) {
            c.absent = true;
        } else {
            auto bytes = dir.chunk(old, i);
            if (!bytes)
                return Error{"Chunk " + std::to_string(i) + " lies outside the file!",
                             kVswapCaption};
            c.bytes.assign(bytes->begin(), bytes->end());
        }
        layout.chunks.push_back(std::move(c));
    }
    return {};
}

Result<std::vector<uint8_t>> pack(const Layout& layout) {
    const size_t count = layout.chunks.size();
    if (count > kMaxChunks)
        return Error{"Too many chunks for a VSWAP file!", kVswapCaption};
    ByteWriter w;
    w.u16(uint16_t(count));
    w.u16(uint16_t(layout.spriteStart));
    w.u16(uint16_t(layout.soundStart));
    size_t offset = kPageHeaderBytes + count * kPageEntryBytes;
    for (const OutChunk& c : layout.chunks) {
        if (offset > std::numeric_limits<uint32_t>::max())
            return Error{"The VSWAP file would grow beyond 4 GB!", kVswapCaption};
        w.u32(c.absent ? 0 : uint32_t(offset));
        offset += c.bytes.size();
    }
    for (const OutChunk& c : layout.chunks) {
        if (c.bytes.size() > std::numeric_limits<uint16_t>::max())
            return Error{"A chunk is larger than 64K!", kVswapCaption};
        w.u16(uint16_t(c.bytes.size()));
    }
    for (const OutChunk& c : layout.chunks)
        w.bytes(c.bytes);
    return w.take();
}

int finish(const Layout& layout, Progress& progress, Prompter& prompter,
           std::vector<uint8_t>& out) {
    progress.setRange(0, kSavePhaseMax);
    phase(progress, "Write Chunks...", 3);
    auto bytes = pack(layout);
    if (!bytes) {
        prompter.message(bytes.error().text, bytes.error().caption, MessageIcon::Exclamation);
        return JobResult::Failed;
    }
    out = std::move(bytes.value());
    progress.setPosition(kSavePhaseMax);
    return JobResult::Done;
}

// Opens the old file's directory for a save; on failure the message is shown.
std::optional<PageDirectory> startSave(std::span<const uint8_t> old, Progress& progress,
                                       Prompter& prompter, const char* status) {
    progress.setRange(0, kSavePhaseMax);
    progress.setCounter("");
    phase(progress, status, 0);
    auto dir = oldDirectory(old);
    if (!dir) {
        prompter.message(dir.error().text, dir.error().caption, MessageIcon::Exclamation);
        return std::nullopt;
    }
    return std::move(dir.value());
}

bool carry(const PageDirectory& dir, std::span<const uint8_t> old, int from, int to, Layout& layout,
           Prompter& prompter) {
    if (auto st = carryOver(dir, old, from, to, layout); !st) {
        prompter.message(st.error().text, st.error().caption, MessageIcon::Exclamation);
        return false;
    }
    return true;
}

} // namespace

int SaveTexturesWorker(std::span<const uint8_t> old, const WallSet& walls, Progress& progress,
                       Prompter& prompter, std::vector<uint8_t>& out) {
    auto dir = startSave(old, progress, prompter, "Creating Wallheaders...");
    if (!dir || walls.raw.empty())
        return JobResult::Failed;
    Layout layout;
    for (int i = 0; i < walls.count(); ++i) {
        OutChunk c;
        c.absent = !walls.images[size_t(i)];
        if (!c.absent)
            c.bytes.assign(walls.slot(i).begin(), walls.slot(i).end());
        layout.chunks.push_back(std::move(c));
    }
    layout.spriteStart = size_t(walls.count());
    phase(progress, "Creating Spriteheaders...", 1);
    if (!carry(*dir, old, dir->spriteStart, dir->soundStart, layout, prompter))
        return JobResult::Failed;
    layout.soundStart = layout.chunks.size();
    phase(progress, "Creating Soundheaders...", 2);
    if (!carry(*dir, old, dir->soundStart, dir->chunkCount, layout, prompter))
        return JobResult::Failed;
    return progress.cancelled() ? JobResult::Failed : finish(layout, progress, prompter, out);
}

int SaveSpritesWorker(std::span<const uint8_t> old, const SpriteSet& sprites, int spriteCompression,
                      Progress& progress, Prompter& prompter, std::vector<uint8_t>& out) {
    auto dir = startSave(old, progress, prompter, "Creating Spriteheaders...");
    if (!dir)
        return JobResult::Failed;
    Layout layout;
    if (!carry(*dir, old, 0, dir->spriteStart, layout, prompter))
        return JobResult::Failed;
    layout.spriteStart = layout.chunks.size();
    const int count = sprites.count();
    progress.setPhase("Compress Sprites...");
    progress.setCounter(counterText("Sprite Nr: 0/%i", count, 0));
    progress.setRange(0, count);
    for (int i = 0; i < count; ++i) {
        if (progress.cancelled())
            return JobResult::Failed;
        progress.setPosition(i);
        progress.setCounter(counterText("Sprite Nr: %i/%i", i, count));
        OutChunk c;
        const auto& image = sprites.images[size_t(i)];
        c.absent = !image;
        if (image)
            c.bytes = CompressSprite(*image, spriteCompression);
        layout.chunks.push_back(std::move(c));
    }
    layout.soundStart = layout.chunks.size();
    progress.setCounter("");
    progress.setRange(0, kSavePhaseMax);
    phase(progress, "Creating Soundheaders...", 2);
    if (!carry(*dir, old, dir->soundStart, dir->chunkCount, layout, prompter))
        return JobResult::Failed;
    return finish(layout, progress, prompter, out);
}

namespace {

// The pages of one sound, absent ones for a sound whose pages the file lacked.
void appendSoundPages(const Sound& sound, Layout& layout) {
    const uint16_t length = sound.absent ? sound.length : uint16_t(sound.samples.size());
    const int pages = soundPages(length);
    for (int p = 0; p < pages; ++p) {
        OutChunk c;
        c.absent = sound.absent;
        if (!sound.absent) {
            const size_t from = size_t(p) * kSoundPageBytes;
            const size_t to = std::min(sound.samples.size(), from + kSoundPageBytes);
            if (from < to)
                c.bytes.assign(sound.samples.begin() + std::ptrdiff_t(from),
                               sound.samples.begin() + std::ptrdiff_t(to));
        }
        layout.chunks.push_back(std::move(c));
    }
}

} // namespace

int SaveSoundsWorker(std::span<const uint8_t> old, const SoundSet& sounds, Progress& progress,
                     Prompter& prompter, std::vector<uint8_t>& out) {
    auto dir = startSave(old, progress, prompter, "Creating Soundheaders...");
    if (!dir)
        return JobResult::Failed;
    if (sounds.count() > kMaxSoundEntries) {
        prompter.message("Too many sounds! A VSWAP file holds at most 1024.", kVswapCaption,
                         MessageIcon::Exclamation);
        return JobResult::Failed;
    }
    Layout layout;
    if (!carry(*dir, old, 0, dir->soundStart, layout, prompter))
        return JobResult::Failed;
    layout.spriteStart = dir->spriteStart;
    layout.soundStart = dir->soundStart;
    const int count = sounds.count();
    progress.setPhase("Save Sounds...");
    progress.setCounter(counterText("Sound Nr: 0/%i", count, 0));
    progress.setRange(0, count);
    ByteWriter info;
    for (int i = 0; i < count; ++i) {
        if (progress.cancelled())
            return JobResult::Failed;
        progress.setCounter(counterText("Sound Nr: %i/%i", i, count));
        progress.setPosition(i);
        const Sound& sound = sounds.sounds[size_t(i)];
        if (sound.pagelessStart) {
            info.u16(*sound.pagelessStart);
            info.u16(sound.length);
            continue;
        }
        const size_t page = layout.chunks.size() - layout.soundStart;
        if (page > std::numeric_limits<uint16_t>::max()) {
            prompter.message("Too many sound pages for a VSWAP file!", kVswapCaption,
                             MessageIcon::Exclamation);
            return JobResult::Failed;
        }
        info.u16(uint16_t(page));
        info.u16(sound.absent ? sound.length : uint16_t(sound.samples.size()));
        appendSoundPages(sound, layout);
    }
    layout.chunks.push_back(OutChunk{info.take(), false});
    return finish(layout, progress, prompter, out);
}

} // namespace zentrik
