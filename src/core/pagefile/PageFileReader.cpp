#include "pagefile/PageFileReader.h"

#include "app/JobProtocol.h"
#include "io/ByteReader.h"
#include "pagefile/SpriteDecoder.h"

#include <algorithm>
#include <cstdio>

namespace zentrik {

namespace {

constexpr int kHeaderPhaseMax = 2;

std::string counterText(const char* format, int a, int b) {
    char text[64];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

void fail(Prompter& prompter, const Error& e) {
    prompter.message(e.text, e.caption, MessageIcon::Exclamation);
}

// A present chunk whose bytes leave the file cannot be trusted; the whole part is refused.
Error outsideFile(int chunk) {
    return Error{"Chunk " + std::to_string(chunk) + " lies outside the file!", kVswapCaption};
}

} // namespace

int LoadTexturesWorker(std::span<const uint8_t> file, Progress& progress, Prompter& prompter,
                       WallSet& out) {
    progress.setPhase("Loading Headers...");
    progress.setCounter("");
    progress.setRange(0, kHeaderPhaseMax);
    progress.setPosition(0);
    auto dir = readPageDirectory(file);
    if (!dir) {
        fail(prompter, dir.error());
        return JobResult::FailedUntouched;
    }
    if (dir->spriteStart == 0) {
        prompter.message("VSWAP doesn't contain any walls!", kVswapCaption,
                         MessageIcon::Exclamation);
        return JobResult::FailedUntouched;
    }
    const int walls = dir->wallCount();
    WallSet set;
    if (dir->lengths[0] == kHighTextureBytes && !dir->absent(0)) {
        set.textureBytes = kHighTextureBytes;
        set.side = kHighSide;
    }
    set.raw.assign(size_t(walls) * size_t(set.textureBytes), 0);
    set.images.resize(size_t(walls));
    progress.setPhase("Loading Chunks...");
    progress.setPosition(1);
    for (int i = 0; i < walls; ++i) {
        if (progress.cancelled())
            return JobResult::Failed;
        if (dir->absent(i) || dir->lengths[size_t(i)] == 0)
            continue;
        if (dir->lengths[size_t(i)] != set.textureBytes) {
            prompter.message("Error 10: TextureLength is not constant !!", "Zentrik",
                             MessageIcon::Exclamation);
            continue;
        }
        auto bytes = dir->chunk(file, i);
        if (!bytes) {
            fail(prompter, outsideFile(i));
            return JobResult::FailedUntouched;
        }
        std::copy(bytes->begin(), bytes->end(), set.slot(i).begin());
        set.images[size_t(i)] = imageFromColumns(*bytes, set.side);
    }
    progress.setPosition(kHeaderPhaseMax);
    out = std::move(set);
    return JobResult::Done;
}

int LoadSpritesWorker(std::span<const uint8_t> file, Progress& progress, Prompter& prompter,
                      SpriteSet& out) {
    progress.setPhase("Loading Headers...");
    progress.setCounter("");
    progress.setRange(0, kHeaderPhaseMax);
    progress.setPosition(0);
    auto dir = readPageDirectory(file);
    if (!dir) {
        fail(prompter, dir.error());
        return JobResult::Failed;
    }
    if (dir->spriteStart == dir->soundStart) {
        prompter.message("VSWAP doesn't contain any sprites!", kVswapCaption,
                         MessageIcon::Exclamation);
        return JobResult::Failed;
    }
    const int count = dir->spriteCount();
    std::vector<std::span<const uint8_t>> chunks(static_cast<size_t>(count));
    SpriteSet set;
    set.images.resize(size_t(count));
    for (int i = 0; i < count; ++i) {
        const int index = dir->spriteStart + i;
        if (dir->absent(index))
            continue;
        auto bytes = dir->chunk(file, index);
        if (!bytes) {
            fail(prompter, outsideFile(index));
            return JobResult::Failed;
        }
        chunks[size_t(i)] = *bytes;
        auto cols = spriteColumns(*bytes);
        if (!set.highRes && cols && (cols->left >= kLowSide || cols->right >= kLowSide)) {
            set.highRes = true;
            set.side = kHighSide;
            set.textureBytes = kHighTextureBytes;
        }
    }
    progress.setPhase("Loading Sprites...");
    progress.setCounter(counterText("Sprite Nr.: 0/%i", count, 0));
    progress.setRange(0, count);
    for (int i = 0; i < count; ++i) {
        if (progress.cancelled())
            return JobResult::Failed;
        progress.setPosition(i);
        progress.setCounter(counterText("Sprite Nr: %i/%i", i, count));
        if (!chunks[size_t(i)].empty())
            set.images[size_t(i)] = DecodeSprite(chunks[size_t(i)], set.side);
    }
    out = std::move(set);
    return JobResult::Done;
}

namespace {

// Counts the sounds whose pages lie before the info chunk, walking the table page by page.
Result<int> countPagedSounds(const PageDirectory& dir, std::span<const uint8_t> info) {
    const Error invalid{"Invalid sound headers!", "Unable to load sounds!"};
    const int infoChunk = dir.chunkCount - 1;
    int page = dir.soundStart;
    int i = 0;
    for (; i < kMaxSoundEntries; ++i) {
        if (page >= infoChunk)
            break;
        const uint8_t* entry = info.data() + size_t(i) * kSoundInfoEntryBytes;
        if (dir.soundStart + int(loadLe16(entry)) >= infoChunk)
            return invalid;
        page += soundPages(loadLe16(entry + 2));
    }
    return i;
}

} // namespace

int LoadSoundsWorker(std::span<const uint8_t> file, Progress& progress, Prompter& prompter,
                     SoundSet& out) {
    const Error invalid{"Invalid sound headers!", "Unable to load sounds!"};
    JobReporter report(progress);
    report.begin("Loading Headers...", "");
    auto dir = readPageDirectory(file);
    if (!dir) {
        fail(prompter, dir.error());
        return JobResult::Failed;
    }
    if (dir->chunkCount == dir->soundStart || dir->absent(dir->chunkCount - 1)) {
        fail(prompter, invalid);
        return JobResult::Failed;
    }
    // The info chunk is read as a 4096-byte window; what lies past the file's end reads as 0.
    std::vector<uint8_t> info(kSoundInfoWindow, 0);
    const size_t infoOffset = dir->offsets[size_t(dir->chunkCount - 1)];
    if (infoOffset < file.size())
        std::copy_n(file.begin() + std::ptrdiff_t(infoOffset),
                    std::min(kSoundInfoWindow, file.size() - infoOffset), info.begin());
    auto paged = countPagedSounds(*dir, info);
    if (!paged) {
        fail(prompter, paged.error());
        return JobResult::Failed;
    }
    // The game counts every entry of the chunk, also those past the last page.
    const size_t entries = std::min<size_t>(
        dir->lengths[size_t(dir->chunkCount - 1)] / kSoundInfoEntryBytes, kMaxSoundEntries);
    const auto count = std::max(*paged, int(entries));
    SoundSet set;
    set.sounds.resize(size_t(count));
    progress.setPhase("Loading Soundchunks...");
    for (int i = 0; i < count; ++i) {
        if (report.cancelled())
            return JobResult::Failed;
        report.item(i, count);
        const uint8_t* entry = info.data() + size_t(i) * kSoundInfoEntryBytes;
        const int page = dir->soundStart + loadLe16(entry);
        Sound& sound = set.sounds[size_t(i)];
        sound.length = loadLe16(entry + 2);
        if (i >= *paged) {
            sound.pagelessStart = loadLe16(entry);
            sound.absent = true;
            continue;
        }
        if (dir->absent(page)) {
            sound.absent = true;
            continue;
        }
        const size_t offset = dir->offsets[size_t(page)];
        if (offset > file.size() || sound.length > file.size() - offset) {
            fail(prompter, invalid);
            return JobResult::Failed;
        }
        auto bytes = file.subspan(offset, sound.length);
        sound.samples.assign(bytes.begin(), bytes.end());
    }
    out = std::move(set);
    return JobResult::Done;
}

} // namespace zentrik
