#pragma once

#include "pagefile/IndexedImage.h"
#include "Result.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zentrik {

// The page file: a header of three u16 (chunk count, first sprite chunk, first sound page),
// a u32 offset per chunk, a u16 length per chunk, then the chunks wherever the offsets point.
// The last chunk is the sound-info table. An offset of 0 marks a chunk that is absent: the
// game's own files use it for walls, sprites and sound pages that an episode lacks.
inline constexpr size_t kPageHeaderBytes = 6;
inline constexpr size_t kPageOffsetBytes = 4;
inline constexpr size_t kPageLengthBytes = 2;
inline constexpr size_t kPageEntryBytes = kPageOffsetBytes + kPageLengthBytes;

inline constexpr int kLowSide = 64;
inline constexpr int kHighSide = 128;
inline constexpr int kLowTextureBytes = kLowSide * kLowSide;    // 4096
inline constexpr int kHighTextureBytes = kHighSide * kHighSide; // 16384

inline constexpr size_t kSoundPageBytes = 4096;
inline constexpr size_t kSoundInfoWindow = 4096; // what the readers take of the info chunk
inline constexpr size_t kSoundInfoEntryBytes = 4;
inline constexpr int kMaxSoundEntries = 1024;

inline constexpr const char* kVswapCaption = "VSWAP error";

struct PageDirectory {
    uint16_t chunkCount = 0;
    uint16_t spriteStart = 0;
    uint16_t soundStart = 0;
    std::vector<uint32_t> offsets;
    std::vector<uint16_t> lengths;

    int wallCount() const { return spriteStart; }
    int spriteCount() const { return soundStart - spriteStart; }
    bool absent(int chunk) const { return offsets[size_t(chunk)] == 0; }
    // The chunk's bytes; nothing when its offset and length reach past the file.
    std::optional<std::span<const uint8_t>> chunk(std::span<const uint8_t> file, int index) const;
};

// Header and tables, checked: the three starts in order and both tables inside the file.
// Nothing is said about the chunks themselves; their readers check what they use.
Result<PageDirectory> readPageDirectory(std::span<const uint8_t> file);

// The directory of a file that does not exist yet: every part empty.
PageDirectory emptyPageDirectory();

struct WallSet {
    int textureBytes = kLowTextureBytes;
    int side = kLowSide;
    // Every wall column by column as in the file (the 3D view reads it); an empty wall's slot
    // holds zeros.
    std::vector<uint8_t> raw;
    std::vector<std::optional<IndexedImage>> images;

    int count() const { return int(images.size()); }
    std::span<uint8_t> slot(int i) {
        return std::span(raw).subspan(size_t(i) * size_t(textureBytes), size_t(textureBytes));
    }
    std::span<const uint8_t> slot(int i) const {
        return std::span(raw).subspan(size_t(i) * size_t(textureBytes), size_t(textureBytes));
    }
    // Stores an edited image and mirrors it into the raw block.
    void setImage(int i, IndexedImage image);
};

struct SpriteSet {
    int textureBytes = kLowTextureBytes;
    int side = kLowSide;
    bool highRes = false;
    std::vector<std::optional<IndexedImage>> images; // background TransparentIndex

    int count() const { return int(images.size()); }
};

struct Sound {
    uint16_t length = 0; // the info table's length; samples.size() unless absent
    std::vector<uint8_t> samples;
    // The sound's pages are absent from the file. It keeps its info entry and its number, and
    // a save writes its pages back as absent.
    bool absent = false;
    // An info entry past the last sound page (some releases end the table with start page 0
    // and length 0). It owns no page; the game still counts it, so a save writes it back as
    // it was read. Such a sound is absent too.
    std::optional<uint16_t> pagelessStart;

    static Sound fromSamples(std::vector<uint8_t> s) {
        Sound sound;
        sound.length = uint16_t(s.size());
        sound.samples = std::move(s);
        return sound;
    }
};

struct SoundSet {
    std::vector<Sound> sounds;
    int count() const { return int(sounds.size()); }
};

// Pages a sound takes in a file: one per 4096 bytes, and one (of length 0) for a sound
// without samples, so that every sound keeps a page of its own and the count reads back.
int soundPages(uint16_t length);

} // namespace zentrik
