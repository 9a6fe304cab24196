#pragma once

// Huffman dictionaries the fuzz targets build on: valid trees, so that the fuzzer spends its
// time on the streams and archives rather than on refused dictionaries.
#include "vgagraph/Huffman.h"

#include <cstdint>

namespace fuzzsupport {

// Every byte value gets an 8-bit code; when `shortCodeFor` is 0..255, that byte takes the
// 1-bit code 0 instead, so short inputs expand to long outputs too.
inline zentrik::HuffmanDict balancedDictionary(int shortCodeFor = -1) {
    zentrik::HuffmanDict d;
    int start = 0, size = 128;
    for (int k = 0; k < 128; ++k)
        d.nodes[size_t(k)].branch = {uint16_t(2 * k), uint16_t(2 * k + 1)};
    while (size > 1) {
        const int next = start + size;
        for (int k = 0; k < size / 2; ++k)
            d.nodes[size_t(next + k)].branch = {uint16_t(256 + start + 2 * k),
                                                uint16_t(256 + start + 2 * k + 1)};
        start = next;
        size /= 2;
    }
    if (shortCodeFor >= 0)
        d.nodes[254].branch[0] = uint16_t(shortCodeFor);
    zentrik::finishDictionary(d);
    return d;
}

} // namespace fuzzsupport
