#include "music/MusicSet.h"

#include "io/ByteReader.h"
#include "io/CompanionFile.h"
#include "io/SafeFile.h"
#include "music/SongModel.h"

#include <cctype>

namespace zentrik {

namespace {

constexpr const char* kLoadCaption = "CZentrikDlg::LoadMusic()";
constexpr const char* kHeadOpenCaption =
    "CZentrikDlg::OnLoadMusic(): Unable to open audio head file:";
constexpr const char* kAudioOpenCaption = "CZentrikDlg::OnLoadMusic(): Unable to open audio file:";
constexpr uint32_t kLargestDelayValue = 0xFFFF;

// The chunks' byte ranges; a range that does not lie inside the file has length -1, which no
// test passes, so a damaged header cannot point a read outside the file.
struct ChunkRange {
    uint64_t start = 0;
    int64_t length = -1;
};

std::vector<ChunkRange> chunkRanges(const std::vector<int64_t>& offsets, size_t fileSize) {
    std::vector<ChunkRange> ranges;
    if (offsets.size() < 2)
        return ranges;
    ranges.resize(offsets.size() - 1);
    for (size_t i = 0; i + 1 < offsets.size(); ++i) {
        const int64_t start = offsets[i];
        const int64_t end = offsets[i + 1];
        if (start < 0 || end < start || uint64_t(end) > fileSize)
            continue;
        ranges[i] = {uint64_t(start), end - start};
    }
    return ranges;
}

} // namespace

std::span<const uint8_t> nameBlockOf(std::span<const uint8_t> chunk) {
    if (chunk.size() < kImfLengthFieldBytes)
        return {};
    const size_t field = loadLe16(chunk.data());
    if (field == 0 || field > chunk.size() - kImfLengthFieldBytes)
        return {};
    return chunk.subspan(kImfLengthFieldBytes + field);
}

std::string songName(std::span<const uint8_t> chunk) {
    constexpr size_t kNameAt = 2;   // after a u16 the block starts with
    constexpr size_t kMaxName = 16; // the game's own are 8 letters at most
    auto block = nameBlockOf(chunk);
    // A chunk without a length field may hold nothing but its name block.
    if (block.empty() && chunk.size() >= kNameAt && loadLe16(chunk.data()) == 0)
        block = chunk;
    std::string name;
    for (size_t i = kNameAt; i < block.size() && i <= kNameAt + kMaxName; ++i) {
        const char c = char(block[i]);
        if (c == 0)
            return name.size() >= 2 ? name : std::string{};
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '-')
            return {};
        name += c;
    }
    return {};
}

bool isSongChunk(std::span<const uint8_t> audiot, uint64_t start, int64_t length) {
    if (length < int64_t(kMinSongChunkBytes) || start > audiot.size())
        return false;
    ByteReader in(audiot);
    in.seek(size_t(start));
    auto lengthField = in.u16();
    if (!lengthField)
        return false;
    if (*lengthField == 0)
        in.seek(size_t(start));
    int bad = 0;
    for (int read = 0; read < kSongTestValues; ++read) {
        if (bad >= kSongTestBadValues)
            return false;
        auto v = in.u32();
        if (!v)
            return false; // the file ends before the test could decide
        if (*v == 0 || *v > kLargestDelayValue)
            ++bad;
    }
    return true;
}

std::vector<int64_t> readAudioOffsets(std::span<const uint8_t> audiohed) {
    std::vector<int64_t> offsets;
    ByteReader in(audiohed);
    offsets.reserve(audiohed.size() / kAudioOffsetBytes);
    while (auto v = in.i32())
        offsets.push_back(*v);
    return offsets;
}

Result<MusicSet> readMusicSet(std::span<const uint8_t> audiohed, std::span<const uint8_t> audiot) {
    const auto ranges = chunkRanges(readAudioOffsets(audiohed), audiot.size());
    MusicSet set;
    for (size_t i = 0; i < ranges.size(); ++i) {
        if (!isSongChunk(audiot, ranges[i].start, ranges[i].length))
            continue;
        Song song;
        song.length = uint32_t(ranges[i].length);
        song.chunk = int(i);
        song.buffer.assign(audiot.begin() + ptrdiff_t(ranges[i].start),
                           audiot.begin() + ptrdiff_t(ranges[i].start + song.length));
        song.buffer.resize(song.length + kSongPadding, 0);
        set.songs.push_back(std::move(song));
    }
    if (set.songs.empty())
        return Error{"Unable to find first song!", kLoadCaption};
    set.musicLoaded = true;
    return set;
}

std::filesystem::path audioHeadPathFor(const std::filesystem::path& audiot) {
    return companionOf(audiot, "AUDIOHED");
}

bool LoadMusic(MusicSet& set, const std::filesystem::path& audiot, Prompter& prompter,
               const std::filesystem::path& audiohed) {
    set = MusicSet{};
    const auto headPath = audiohed.empty() ? audioHeadPathFor(audiot) : audiohed;
    auto head = readWholeFile(headPath);
    if (!head) {
        prompter.message(headPath.string(), kHeadOpenCaption, MessageIcon::Exclamation);
        return false;
    }
    auto data = readWholeFile(audiot);
    if (!data) {
        prompter.message(audiot.string(), kAudioOpenCaption, MessageIcon::Exclamation);
        return false;
    }
    auto read = readMusicSet(*head, *data);
    if (!read) {
        prompter.message(read.error().text, read.error().caption, MessageIcon::Exclamation);
        return false;
    }
    set = std::move(*read);
    set.audiotPath = audiot;
    set.audiohedPath = headPath;
    return true;
}

} // namespace zentrik
