// Any bytes as VGADICT: refused or accepted, the checked dictionary must decode and build its
// code table without leaving its 255 nodes or looping.
#include "vgagraph/Huffman.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto dict = zentrik::readDictionary(std::span(data, size));
    if (!dict)
        return 0;
    const zentrik::CodeTable codes = zentrik::BuildCodeTable(*dict);
    std::vector<uint8_t> out(256);
    zentrik::HuffmanDecode(std::span(data, size), out, *dict);
    zentrik::HuffmanCountDecoded(std::span(data, size), *dict);
    std::vector<uint8_t> bytes;
    for (int b = 0; b < 256; ++b)
        if (codes.length[size_t(b)] > 0)
            bytes.push_back(uint8_t(b));
    auto coded = zentrik::HuffmanEncode(bytes, codes);
    if (coded) {
        std::vector<uint8_t> back(bytes.size());
        zentrik::HuffmanDecode(*coded, back, *dict);
        if (back != bytes)
            __builtin_trap();
    }
    return 0;
}
