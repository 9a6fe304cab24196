// Any bytes as a sound file: the chunk walks, the decoder and the resampling stay inside the
// data.
#include "pagefile/SoundFile.h"
#include "pagefile/Wav.h"
#include "platform/ScriptedPrompter.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> file(data, size);
    zentrik::readWav(file);
    zentrik::soundDataExtent(file);
    auto sound = zentrik::decodeSoundFile(file);
    if (!sound)
        return 0;
    zentrik::ScriptedPrompter prompter;
    prompter.expectQuestion(zentrik::Answer::Ok); // cut long sounds rather than skip them
    const int rate = 4000 + int(size % 40101);
    zentrik::convertSound(*sound, rate, prompter);
    return 0;
}
