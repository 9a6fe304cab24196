#include "vgagraph/VgaFiles.h"

#include "io/SafeFile.h"

namespace zentrik {

namespace {
constexpr const char* kHeaderCorrupt = "Graphics header corrupt!";
}

std::optional<VgaArchive> openArchive(const std::filesystem::path& headPath,
                                      const std::filesystem::path& graphPath,
                                      const OpenCaptions& captions, Prompter& prompter) {
    auto head = readWholeFile(headPath);
    if (!head) {
        prompter.message(headPath.string(), captions.header, MessageIcon::Exclamation);
        return std::nullopt;
    }
    VgaArchive archive;
    archive.table = parseHeader(*head);
    if (archive.chunkCount() <= 0) {
        prompter.message("Invalid VGAHEAD file!", kHeaderCorrupt, MessageIcon::Exclamation);
        return std::nullopt;
    }
    auto graph = readWholeFile(graphPath);
    if (!graph) {
        prompter.message(graphPath.string(), captions.graph, MessageIcon::Exclamation);
        return std::nullopt;
    }
    archive.graph = std::move(*graph);
    if (!validateOffsets(archive.table, archive.graph.size())) {
        if (archive.chunkCount() <= 0) {
            prompter.message("All chunks have invalid file offsets!", kHeaderCorrupt,
                             MessageIcon::Exclamation);
            return std::nullopt;
        }
        prompter.message("Some chunks have invalid file offsets!\nYou may have dataloss, which "
                         "could be recoverable...",
                         kHeaderCorrupt, MessageIcon::Exclamation);
    }
    return archive;
}

} // namespace zentrik
