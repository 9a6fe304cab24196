// Any text as "sprinfo.txt", and any bytes as the symbol strip bitmap.
#include "platform/ScriptedPrompter.h"
#include "world/SprInfo.h"
#include "world/SymbolStrip.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zentrik::ScriptedPrompter prompter;
    zentrik::ObjectDescriptionTable table;
    zentrik::parseSprInfo(std::string_view(reinterpret_cast<const char*>(data), size), table,
                          prompter);
    (void)zentrik::SymbolStrip::decodeBmp(std::span(data, size));
    return 0;
}
