// Any VGAHEAD + VGAGRAPH against the real dictionary's shape: the readers must stay inside
// the files and refuse what they cannot use. The input is u16 header length, header, graph.
#include "FuzzDictionaries.h"
#include "platform/Progress.h"
#include "platform/ScriptedPrompter.h"
#include "vgagraph/VgaArchive.h"
#include "vgagraph/VgaReaders.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    static const zentrik::HuffmanDict dict = fuzzsupport::balancedDictionary('A');
    const size_t headLength = std::min(size - 2, size_t(data[0] | (data[1] << 8)) % 1024);
    zentrik::VgaArchive archive;
    archive.table = zentrik::parseHeader(std::span(data + 2, headLength));
    archive.graph.assign(data + 2 + headLength, data + size);
    const zentrik::ChunkTable raw = archive.table;
    for (int c = 0; c < raw.chunkCount() && c < 64; ++c)
        (void)zentrik::LoadChunk(c, {archive, dict, c % 3 == 0 ? c : -1});
    zentrik::validateOffsets(archive.table, archive.graph.size());
    const zentrik::ArchiveLayout layout = zentrik::scanLayout(archive, dict);
    const zentrik::ChunkContext ctx{archive, dict, layout.tile8Chunk()};
    for (int c = 0; c < archive.chunkCount() && c < 64; ++c)
        zentrik::isScreenChunk(c, ctx);
    zentrik::ScriptedPrompter prompter;
    zentrik::InlineProgress progress;
    zentrik::GraphicsSet set;
    zentrik::loadGraphicsJob(archive, dict, set, prompter, progress);
    return 0;
}
