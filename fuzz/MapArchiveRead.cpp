// Any header and map bytes, any settings: the reading job must end cleanly.
#include "maps/MapArchiveReader.h"
#include "platform/ScriptedPrompter.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3)
        return 0;
    zentrik::MapReadOptions o;
    o.carmack = data[0] & 1;
    o.skipHeaderTag = data[0] & 2;
    o.restoreHeader = data[0] & 4;
    const size_t headerBytes = std::min<size_t>(data[1] | (data[2] << 8), size - 3);
    std::span<const uint8_t> all(data + 3, size - 3);
    zentrik::ScriptedPrompter prompter;
    zentrik::InlineProgress progress;
    zentrik::LevelSet set;
    zentrik::LoadMapsWorker(progress, all.first(headerBytes), all.subspan(headerBytes), o, set,
                            prompter);
    return 0;
}
