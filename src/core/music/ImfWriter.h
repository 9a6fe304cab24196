#pragma once

#include "music/SongModel.h"

#include <cstdint>
#include <vector>

namespace zentrik {

// IMF events of a song model, merged in time order: the register lists first, then the notes of
// channels 1 .. 8 as 0xA0/0xB0 writes, a write left out when the register already holds that
// value. The result starts with a u16 length field while the data is below 0xFFFD bytes.
struct BuiltImf {
    std::vector<uint8_t> bytes; // the whole song, length field included when there is one
    ImfSpan span;               // where its events lie
};
BuiltImf buildImf(const SongModel& model);

} // namespace zentrik
