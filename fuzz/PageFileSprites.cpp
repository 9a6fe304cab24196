// Any bytes as a page file: sprite detection and decoding never read outside a chunk.
#include "pagefile/PageFileReader.h"
#include "platform/ScriptedPrompter.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zentrik::ScriptedPrompter prompter;
    zentrik::InlineProgress progress;
    zentrik::SpriteSet sprites;
    zentrik::LoadSpritesWorker(std::span(data, size), progress, prompter, sprites);
    return 0;
}
