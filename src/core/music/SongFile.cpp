#include "music/SongFile.h"

#include "io/ByteReader.h"
#include "io/ByteWriter.h"
#include "music/MusicSet.h"
#include "music/SongModel.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace zentrik {

namespace {

constexpr const char* kImportCaption = "Import song";
// The largest event data whose length the game's u16 field can hold in whole events.
constexpr size_t kMaxEventBytes = 0xFFFC;

} // namespace

SongFileParts songFileParts(std::span<const uint8_t> file) {
    SongFileParts parts;
    if (file.size() < kImfLengthFieldBytes)
        return parts;
    const size_t field = loadLe16(file.data());
    if (field == 0 || field > file.size() - kImfLengthFieldBytes) {
        parts.events = file; // type 0
        return parts;
    }
    parts.events = file.subspan(kImfLengthFieldBytes, field);
    if (!songName(file).empty())
        parts.nameBlock = nameBlockOf(file);
    return parts;
}

Result<std::vector<uint8_t>> songChunkFromFile(std::span<const uint8_t> file,
                                               std::span<const uint8_t> slotChunk) {
    const SongFileParts parts = songFileParts(file);
    if (parts.events.size() < kImfEventBytes)
        return Error{"The file holds no music.", kImportCaption};
    if (parts.events.size() > kMaxEventBytes)
        return Error{"The song is too long for the game: " + std::to_string(parts.events.size()) +
                         " bytes of music, at most " + std::to_string(kMaxEventBytes) + ".",
                     kImportCaption};
    std::span<const uint8_t> block = nameBlockOf(slotChunk);
    if (block.empty() && !songName(slotChunk).empty())
        block = slotChunk; // a slot that holds only its name block
    if (block.empty())
        block = parts.nameBlock;
    ByteWriter out(kImfLengthFieldBytes + parts.events.size() + block.size());
    out.u16(uint16_t(parts.events.size()));
    out.bytes(parts.events);
    out.bytes(block);
    return out.take();
}

void noteTickRate(const std::filesystem::path& file, Prompter& prompter) {
    std::string ext = file.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    if (ext == ".imf" || ext == ".wlf")
        return;
    prompter.message("The tick rate of \"" + file.filename().string() +
                         "\" is not known: it is read as 700 Hz, the game's rate.",
                     kImportCaption, MessageIcon::Information);
}

} // namespace zentrik
