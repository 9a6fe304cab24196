#include "platform/Clock.h"

#include <chrono>

namespace zentrik {

uint32_t SteadyClock::ticks() const {
    using namespace std::chrono;
    return uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

} // namespace zentrik
