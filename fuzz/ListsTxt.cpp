// Any text as "Lists.txt".
#include "platform/ScriptedPrompter.h"
#include "world/TileNames.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zentrik::ScriptedPrompter prompter;
    (void)zentrik::parseLists(std::string_view(reinterpret_cast<const char*>(data), size),
                              prompter);
    return 0;
}
