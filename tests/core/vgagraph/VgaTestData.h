#pragma once

#include "vgagraph/Huffman.h"
#include "vgagraph/VgaArchive.h"

#include <cstdint>
#include <vector>

namespace zentrik::test {

// A complete tree of depth 8: every byte value has an 8-bit code.
inline HuffmanDict balancedDictionary() {
    HuffmanDict d;
    // Level sizes 128, 64, ..., 1; node ids are numbered level after level, so the root is 254.
    int levelStart = 0, levelSize = 128;
    for (int k = 0; k < 128; ++k)
        d.nodes[k].branch = {uint16_t(2 * k), uint16_t(2 * k + 1)};
    while (levelSize > 1) {
        const int next = levelStart + levelSize;
        for (int k = 0; k < levelSize / 2; ++k)
            d.nodes[next + k].branch = {uint16_t(kDictNodeBase + levelStart + 2 * k),
                                        uint16_t(kDictNodeBase + levelStart + 2 * k + 1)};
        levelStart = next;
        levelSize /= 2;
    }
    finishDictionary(d);
    return d;
}

inline std::vector<uint8_t> concat(std::vector<std::vector<uint8_t>> parts) {
    std::vector<uint8_t> out;
    for (auto& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

// A stored chunk: u32 expanded length, then the coded data.
inline std::vector<uint8_t> codedChunk(const std::vector<uint8_t>& data, const CodeTable& t,
                                       bool withLength = true) {
    std::vector<uint8_t> out;
    if (withLength)
        for (int i = 0; i < 4; ++i)
            out.push_back(uint8_t(data.size() >> (8 * i)));
    auto coded = HuffmanEncode(data, t);
    out.insert(out.end(), coded->begin(), coded->end());
    return out;
}

// An archive in memory from stored chunks.
inline VgaArchive archiveOf(const std::vector<std::vector<uint8_t>>& chunks) {
    VgaArchive a;
    int32_t pos = 0;
    for (const auto& c : chunks) {
        a.table.entries.push_back(pos);
        a.graph.insert(a.graph.end(), c.begin(), c.end());
        pos += int32_t(c.size());
    }
    a.table.entries.push_back(pos);
    return a;
}

inline void storeLe16Test(std::vector<uint8_t>& v, size_t at, int value) {
    v.at(at) = uint8_t(value);
    v.at(at + 1) = uint8_t(value >> 8);
}

inline std::vector<uint8_t> le16s(std::initializer_list<int> values) {
    std::vector<uint8_t> out;
    for (int v : values) {
        out.push_back(uint8_t(v));
        out.push_back(uint8_t(v >> 8));
    }
    return out;
}

} // namespace zentrik::test
