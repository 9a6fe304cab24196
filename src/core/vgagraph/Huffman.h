#pragma once

#include "Result.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace zentrik {

// The graphics archive's Huffman dictionary: 255 nodes of two branches. A branch value below
// 256 is a leaf (the byte it stands for); 256 or more names node (value - 256). Decoding starts
// at the root, node 254. Values are kept in the file's form; readDictionary has checked that
// every node reference lies inside the table and that no path from the root runs in a loop,
// so the walks below need no further checks.
inline constexpr int kDictNodes = 255;
inline constexpr int kDictRoot = 254;
inline constexpr uint16_t kDictNodeBase = 256;
inline constexpr size_t kDictBytes = size_t(kDictNodes) * 4;
inline constexpr int kMaxCodeBits = 32;

struct HuffmanNode {
    std::array<uint16_t, 2> branch{};
};

// The root table lets the decoder take kRootBits bits per step instead of one.
inline constexpr int kRootBits = 10;

struct HuffmanDict {
    std::array<HuffmanNode, kDictNodes> nodes{};

    // Built by readDictionary/finishDictionary: for every kRootBits-bit pattern read from the
    // root, either the leaf it reaches (leafBits > 0: the code length) or the node it ends at.
    struct RootEntry {
        uint16_t value = 0; // leaf byte, or node index when leafBits == 0
        uint8_t leafBits = 0;
    };
    std::vector<RootEntry> rootTable;
};

// Reads the first kDictBytes bytes (later bytes are ignored) and validates every reference.
Result<HuffmanDict> readDictionary(std::span<const uint8_t> bytes);
// The dictionary in file form, kDictBytes bytes.
std::vector<uint8_t> writeDictionary(const HuffmanDict& dict);
// Fills in the decoder's table; readDictionary calls it. Requires a validated dictionary.
void finishDictionary(HuffmanDict& dict);

// For each byte value its code (bit k = branch taken at depth k + 1) and length; a byte value
// without a leaf, or whose leaf lies deeper than kMaxCodeBits, has length 0.
struct CodeTable {
    std::array<uint32_t, 256> code{};
    std::array<uint32_t, 256> length{};
};
CodeTable BuildCodeTable(const HuffmanDict& dict);

// Decodes src into dst, bits taken from the least significant end of each byte. Stops when
// dst is full or the source is used up; a leaf reached with the source's very last bit is
// still written. Returns the number of bytes written. Table-driven; its output equals
// HuffmanDecodeBitwise for every input.
size_t HuffmanDecode(std::span<const uint8_t> src, std::span<uint8_t> dst, const HuffmanDict& dict);
// The plain bit-by-bit walk: the reference the fast decoder is measured and tested against.
size_t HuffmanDecodeBitwise(std::span<const uint8_t> src, std::span<uint8_t> dst,
                            const HuffmanDict& dict);
// Number of leaves the whole of src decodes to, including those reached by the fill bits.
size_t HuffmanCountDecoded(std::span<const uint8_t> src, const HuffmanDict& dict);

// Codes src with the table. A byte value without a code cannot be represented: that is an
// Error rather than a silently shorter stream.
Result<std::vector<uint8_t>> HuffmanEncode(std::span<const uint8_t> src, const CodeTable& table);
// The number of bytes HuffmanEncode would produce (0 for bytes without a code).
size_t HuffmanEncodedSize(std::span<const uint8_t> src, const CodeTable& table);

} // namespace zentrik
