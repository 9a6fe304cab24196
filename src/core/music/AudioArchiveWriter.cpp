#include "music/AudioArchiveWriter.h"

#include "io/ByteWriter.h"
#include "io/SafeFile.h"

#include <limits>
#include <string>

namespace zentrik {

namespace {

constexpr const char* kSaveCaption = "Save music";

} // namespace

Result<AudioArchiveFiles>
rebuildAudioArchive(std::span<const uint8_t> audiohed, std::span<const uint8_t> audiot,
                    const std::map<int, std::span<const uint8_t>>& replaced) {
    const std::vector<int64_t> offsets = readAudioOffsets(audiohed);
    if (offsets.size() < 2)
        return Error{"The audio header holds no chunk.", kSaveCaption};
    const int chunks = int(offsets.size() - 1);
    for (int i = 0; i < chunks; ++i) {
        const int64_t start = offsets[size_t(i)], end = offsets[size_t(i) + 1];
        if (start < 0 || end < start || uint64_t(end) > audiot.size())
            return Error{"The audio header does not fit the audio file (chunk " +
                             std::to_string(i) + "): it is not written.",
                         kSaveCaption};
    }
    if (!replaced.empty() && (replaced.begin()->first < 0 || replaced.rbegin()->first >= chunks))
        return Error{"The archive has no chunk " +
                         std::to_string(replaced.begin()->first < 0 ? replaced.begin()->first
                                                                    : replaced.rbegin()->first) +
                         ".",
                     kSaveCaption};

    AudioArchiveFiles out;
    ByteWriter data;
    ByteWriter head;
    // Bytes before the first chunk and after the last are not ours to drop.
    data.bytes(audiot.first(size_t(offsets.front())));
    for (int i = 0; i < chunks; ++i) {
        const uint64_t at = data.size();
        if (at > uint64_t(std::numeric_limits<int32_t>::max()))
            return Error{"The audio file would be too large for its header.", kSaveCaption};
        head.u32(uint32_t(at));
        const auto r = replaced.find(i);
        if (r != replaced.end())
            data.bytes(r->second);
        else
            data.bytes(audiot.subspan(size_t(offsets[size_t(i)]),
                                      size_t(offsets[size_t(i) + 1] - offsets[size_t(i)])));
    }
    if (data.size() > uint64_t(std::numeric_limits<int32_t>::max()))
        return Error{"The audio file would be too large for its header.", kSaveCaption};
    head.u32(uint32_t(data.size()));
    data.bytes(audiot.subspan(size_t(offsets.back())));
    // A header longer than its whole entries keeps its last bytes too.
    head.bytes(audiohed.subspan(offsets.size() * kAudioOffsetBytes));
    out.audiohed = head.take();
    out.audiot = data.take();
    return out;
}

bool saveMusicSet(const MusicSet& set, Prompter& prompter, std::filesystem::path audiot,
                  std::filesystem::path audiohed) {
    if (!set.musicLoaded || set.audiotPath.empty()) {
        prompter.message("You need to load a song first!", "No music loaded!",
                         MessageIcon::Exclamation);
        return false;
    }
    const auto headSource =
        set.audiohedPath.empty() ? audioHeadPathFor(set.audiotPath) : set.audiohedPath;
    if (audiot.empty())
        audiot = set.audiotPath;
    if (audiohed.empty())
        audiohed = audiot == set.audiotPath ? headSource : audioHeadPathFor(audiot);
    // The chunks the songs do not replace come from the files as they are now.
    auto head = readWholeFile(headSource);
    auto data = head ? readWholeFile(set.audiotPath) : head;
    if (!head || !data) {
        const Error& e = head ? data.error() : head.error();
        prompter.message(e.text, e.caption, MessageIcon::Exclamation);
        return false;
    }
    std::map<int, std::span<const uint8_t>> songs;
    for (const Song& s : set.songs)
        songs[s.chunk] = s.bytes();
    auto built = rebuildAudioArchive(*head, *data, songs);
    if (!built) {
        prompter.message(built.error().text, built.error().caption, MessageIcon::Exclamation);
        return false;
    }
    FileReplacement files;
    Status st = files.stage(audiot, built->audiot);
    if (st)
        st = files.stage(audiohed, built->audiohed);
    if (st)
        st = files.commit();
    if (!st) {
        prompter.message(st.error().text, st.error().caption, MessageIcon::Exclamation);
        return false;
    }
    return true;
}

} // namespace zentrik
