// Any bytes as a WAV file: chunk walking and the resampling stay inside the data.
#include "pagefile/Wav.h"
#include "platform/ScriptedPrompter.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto wav = zentrik::readWav(std::span(data, size));
    if (!wav)
        return 0;
    zentrik::ScriptedPrompter prompter;
    prompter.expectQuestion(zentrik::Answer::Ok); // cut long sounds rather than skip them
    const int rate = 4000 + int(size % 40101);
    zentrik::convertWav(*wav, rate, prompter);
    return 0;
}
