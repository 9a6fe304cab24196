// Any bytes as a page file: the sound-info walk and the sample reads stay inside the file.
#include "pagefile/PageFileReader.h"
#include "platform/ScriptedPrompter.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zentrik::ScriptedPrompter prompter;
    zentrik::InlineProgress progress;
    zentrik::SoundSet sounds;
    zentrik::LoadSoundsWorker(std::span(data, size), progress, prompter, sounds);
    return 0;
}
