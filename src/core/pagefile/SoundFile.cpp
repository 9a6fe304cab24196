#include "pagefile/SoundFile.h"

#include "io/ByteReader.h"

#include <sndfile.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace zentrik {

namespace {

constexpr const char* kFileError = "File error";
constexpr size_t kChunkHeaderBytes = 8;
constexpr size_t kSsndPrefixBytes = 8; // the SSND chunk's offset and block size fields
constexpr sf_count_t kBlockFrames = 4096;
// Far more than any import can use (65535 samples at 4000 Hz are 16 s; at 384 kHz that is
// 6.3 M frames), small enough that a file claiming hours never exhausts memory.
constexpr uint64_t kMaxFrames = uint64_t(1) << 24;

bool tagIs(std::span<const uint8_t> bytes, size_t at, const char* tag) {
    return bytes.size() >= at + 4 && std::memcmp(bytes.data() + at, tag, 4) == 0;
}

uint32_t loadBe32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

// Walks the chunks after a 12-byte RIFF or FORM header to the sample data chunk.
DataExtent chunkExtent(std::span<const uint8_t> file, const char* dataTag, bool bigEndian) {
    size_t at = 12;
    while (at <= file.size() && file.size() - at >= kChunkHeaderBytes) {
        const uint8_t* p = file.data() + at + 4;
        const uint64_t size = bigEndian ? loadBe32(p) : loadLe32(p);
        const size_t body = at + kChunkHeaderBytes;
        const uint64_t there = file.size() - body;
        if (tagIs(file, at, dataTag)) {
            DataExtent e{size, std::min(size, there)};
            if (bigEndian) { // SSND starts with two u32 fields before the samples
                e.claimed = size > kSsndPrefixBytes ? size - kSsndPrefixBytes : 0;
                e.held =
                    there > kSsndPrefixBytes ? std::min(e.claimed, there - kSsndPrefixBytes) : 0;
            }
            return e;
        }
        const uint64_t next = uint64_t(body) + size + (size & 1);
        if (next > file.size())
            break;
        at = size_t(next);
    }
    return {};
}

// Whether this build of libsndfile reads a major format at all.
bool libraryReads(int major) {
    int count = 0;
    sf_command(nullptr, SFC_GET_FORMAT_MAJOR_COUNT, &count, sizeof count);
    for (int i = 0; i < count; ++i) {
        SF_FORMAT_INFO info{};
        info.format = i;
        if (sf_command(nullptr, SFC_GET_FORMAT_MAJOR, &info, sizeof info) == 0 &&
            (info.format & SF_FORMAT_TYPEMASK) == major)
            return true;
    }
    return false;
}

// What a file is, for a message when it cannot be decoded: the format's name, and the
// library's major format when it is one the library may read (then the file is damaged
// rather than unsupported).
struct FileKind {
    std::string name;
    int major = 0;
};

FileKind fileKind(std::span<const uint8_t> file) {
    if (tagIs(file, 0, "RIFF") && tagIs(file, 8, "WAVE")) {
        // The format tag lies 8 bytes into "fmt ", wherever that chunk is.
        size_t at = 12;
        while (file.size() >= at + 10) {
            const uint32_t size = loadLe32(file.data() + at + 4);
            if (tagIs(file, at, "fmt ")) {
                char text[48];
                std::snprintf(text, sizeof text, "WAV files of format 0x%.4X",
                              unsigned(loadLe16(file.data() + at + 8)));
                return {text};
            }
            if (uint64_t(at) + 8 + size + (size & 1) > file.size())
                break;
            at += 8 + size + (size & 1);
        }
        return {"WAV files without a \"fmt \" chunk"};
    }
    if (tagIs(file, 0, "RIFF") && file.size() >= 12)
        return {"RIFF files of type \"" + std::string(file.begin() + 8, file.begin() + 12) + "\""};
    if (tagIs(file, 0, "MThd"))
        return {"MIDI files"};
    if (file.size() >= 3 &&
        (std::memcmp(file.data(), "ID3", 3) == 0 || (file[0] == 0xFF && (file[1] & 0xE0) == 0xE0)))
        return {"MP3 files", SF_FORMAT_MPEG};
    if (tagIs(file, 0, "OggS"))
        return {"Ogg files of this kind (Vorbis, Opus and FLAC are read)", SF_FORMAT_OGG};
    if (file.size() >= 8 && tagIs(file, 4, "ftyp"))
        return {"MP4 and AAC files"};
    return {};
}

struct MemoryFile {
    std::span<const uint8_t> bytes;
    sf_count_t pos = 0;
};

sf_count_t fileLength(void* user) {
    return sf_count_t(static_cast<MemoryFile*>(user)->bytes.size());
}

sf_count_t seekFile(sf_count_t offset, int whence, void* user) {
    auto* f = static_cast<MemoryFile*>(user);
    const sf_count_t size = sf_count_t(f->bytes.size());
    sf_count_t to = offset;
    if (whence == SEEK_CUR)
        to = f->pos + offset;
    else if (whence == SEEK_END)
        to = size + offset;
    if (to < 0 || to > size)
        return -1;
    f->pos = to;
    return f->pos;
}

sf_count_t readFile(void* out, sf_count_t count, void* user) {
    auto* f = static_cast<MemoryFile*>(user);
    const sf_count_t n = std::clamp<sf_count_t>(sf_count_t(f->bytes.size()) - f->pos, 0, count);
    if (n > 0)
        std::memcpy(out, f->bytes.data() + f->pos, size_t(n));
    f->pos += n;
    return n;
}

sf_count_t writeFile(const void*, sf_count_t, void*) {
    return 0;
}

sf_count_t tellFile(void* user) {
    return static_cast<MemoryFile*>(user)->pos;
}

std::string majorFormatName(int format) {
    SF_FORMAT_INFO info{};
    info.format = format & SF_FORMAT_TYPEMASK;
    if (sf_command(nullptr, SFC_GET_FORMAT_INFO, &info, sizeof info) == 0 && info.name)
        return info.name;
    return "sound";
}

} // namespace

DataExtent soundDataExtent(std::span<const uint8_t> file) {
    if (tagIs(file, 0, "RIFF") && tagIs(file, 8, "WAVE"))
        return chunkExtent(file, "data", false);
    if (tagIs(file, 0, "FORM") && (tagIs(file, 8, "AIFF") || tagIs(file, 8, "AIFC")))
        return chunkExtent(file, "SSND", true);
    return {};
}

Result<DecodedSound> decodeSoundFile(std::span<const uint8_t> file) {
    MemoryFile memory{file, 0};
    SF_VIRTUAL_IO io{fileLength, seekFile, readFile, writeFile, tellFile};
    SF_INFO info{};
    SNDFILE* sf = sf_open_virtual(&io, SFM_READ, &info, &memory);
    if (!sf) {
        const FileKind kind = fileKind(file);
        if (kind.major != 0 && libraryReads(kind.major))
            return Error{std::string("This looks like ") +
                             (kind.major == SF_FORMAT_MPEG ? "an MP3" : "an Ogg") +
                             " file, but it cannot be decoded: " + sf_strerror(nullptr),
                         kFileError};
        if (!kind.name.empty())
            return Error{"Sorry, but " + kind.name + " are not supported.", kFileError};
        return Error{"This is not a sound file that can be read (WAV, FLAC, Ogg Vorbis, AIFF "
                     "and the other formats of libsndfile).",
                     kFileError};
    }
    DecodedSound out;
    out.rate = info.samplerate;
    out.channels = info.channels;
    out.format = majorFormatName(info.format);
    if (info.channels <= 0 || info.samplerate <= 0) {
        sf_close(sf);
        return Error{"The sound file names no channels or no sample rate.", kFileError};
    }
    std::vector<float> block(size_t(kBlockFrames) * size_t(info.channels));
    for (;;) {
        const sf_count_t got = sf_readf_float(sf, block.data(), kBlockFrames);
        if (got <= 0)
            break;
        if (out.mono.size() + uint64_t(got) > kMaxFrames) {
            sf_close(sf);
            return Error{"The sound file is too long to import.", kFileError};
        }
        for (sf_count_t i = 0; i < got; ++i) {
            float sum = 0;
            for (int c = 0; c < info.channels; ++c)
                sum += block[size_t(i) * size_t(info.channels) + size_t(c)];
            out.mono.push_back(sum / float(info.channels));
        }
    }
    sf_close(sf);
    return out;
}

} // namespace zentrik
