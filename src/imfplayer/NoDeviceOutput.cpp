// Built when Qt Multimedia is not available: the player is paced by the clock alone.
#include "AudioOutput.h"

namespace zentrik::imf {

std::unique_ptr<AudioOutput> openDeviceOutput() {
    return nullptr;
}

} // namespace zentrik::imf
