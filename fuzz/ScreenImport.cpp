// Any bytes as a ".SCR" file and as a "SCREENCLIPFORMAT" block pasted anywhere.
#include "vgagraph/ScreenOps.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zentrik::ScreenRecord screen;
    screen.bytes.assign(zentrik::kScreenChunkBytes, 0);
    const std::span<const uint8_t> bytes(data, size);
    if (zentrik::ImportScreenFile(screen, bytes)) {
        // A bare .SCR file is the cells; a whole chunk has the screen header before them.
        const size_t cells = size == zentrik::kScreenCellBytes ? 0 : zentrik::kScreenHeader.size();
        if (size < cells + zentrik::kScreenCellBytes ||
            zentrik::ExportScreenFile(screen) !=
                std::vector<uint8_t>(data + cells, data + cells + zentrik::kScreenCellBytes))
            __builtin_trap();
    }
    if (size >= 2) {
        const int column = int(int8_t(data[0])), row = int(int8_t(data[1]));
        std::vector<uint8_t> block(bytes.begin(), bytes.end());
        block.resize(zentrik::kScreenClipBytes, 0);
        (void)zentrik::PasteScreenBlock(screen, block, column, row);
        (void)zentrik::PasteScreenBlock(screen, bytes, column, row);
    }
    if (screen.bytes.size() != zentrik::kScreenChunkBytes)
        __builtin_trap();
    return 0;
}
