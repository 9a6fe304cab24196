// Any audio header and file: the song test and the reader must stay inside the bytes given.
#include "music/MusicSet.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    // The first byte says how many 4-byte header entries come first; the rest is the file.
    const size_t headBytes = std::min<size_t>(size_t(data[0]) * 4, size - 1);
    const std::span<const uint8_t> head(data + 1, headBytes);
    const std::span<const uint8_t> file(data + 1 + headBytes, size - 1 - headBytes);
    auto set = zentrik::readMusicSet(head, file);
    if (set.ok())
        for (const auto& song : set->songs)
            if (song.buffer.size() != song.length + zentrik::kSongPadding)
                __builtin_trap();
    return 0;
}
