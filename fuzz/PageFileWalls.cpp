// Any bytes as a page file: the wall reader must stay inside the file and its buffers.
#include "pagefile/PageFileReader.h"
#include "platform/ScriptedPrompter.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zentrik::ScriptedPrompter prompter;
    zentrik::InlineProgress progress;
    zentrik::WallSet walls;
    zentrik::LoadTexturesWorker(std::span(data, size), progress, prompter, walls);
    return 0;
}
