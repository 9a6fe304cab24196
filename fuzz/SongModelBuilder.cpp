// Any song bytes: building the model must stay inside the buffer, and the rebuilt data must
// read back to the same notes and channel registers.
#include "music/ImfWriter.h"
#include "music/SongModel.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> buffer(data, data + size);
    const auto model = zentrik::buildSongModel(buffer, zentrik::imfSpanOf(buffer));
    const auto built = zentrik::buildImf(model);
    const auto again = zentrik::buildSongModel(built.bytes, built.span);
    if (again.notes != model.notes || again.channelRegisters != model.channelRegisters)
        __builtin_trap();
    return 0;
}
