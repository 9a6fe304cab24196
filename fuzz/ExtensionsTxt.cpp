// Any text as "extensions.txt".
#include "app/ExtensionTable.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    (void)zentrik::parseExtensions(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
