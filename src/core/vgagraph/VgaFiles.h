#pragma once

#include "platform/Prompter.h"
#include "vgagraph/VgaArchive.h"

#include <filesystem>
#include <optional>
#include <string>

namespace zentrik {

// The captions under which a reader or writer reports that it cannot read the header or the
// graphics file (the path is the text).
struct OpenCaptions {
    std::string header;
    std::string graph;
};

// Reads VGAHEAD and VGAGRAPH and validates the offsets, reporting every problem. Some invalid
// offsets give a warning and the compacted table; none left, or no chunk at all, is a failure.
std::optional<VgaArchive> openArchive(const std::filesystem::path& headPath,
                                      const std::filesystem::path& graphPath,
                                      const OpenCaptions& captions, Prompter& prompter);

// Reports an Error as the program's message box.
inline void report(Prompter& prompter, const Error& e,
                   MessageIcon icon = MessageIcon::Exclamation) {
    prompter.message(e.text, e.caption, icon);
}

} // namespace zentrik
