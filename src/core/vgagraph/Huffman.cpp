#include "vgagraph/Huffman.h"

#include "io/ByteReader.h"

#include <limits>

namespace zentrik {

namespace {

constexpr uint32_t kRootMask = (1u << kRootBits) - 1;

bool isLeaf(uint16_t value) {
    return value < kDictNodeBase;
}
int nodeOf(uint16_t value) {
    return int(value) - kDictNodeBase;
}

// Depth-first search from the root with three colours: a branch back to a node that is still
// on the current path is a loop, which would make the bit walk run forever.
bool hasLoopFromRoot(const HuffmanDict& dict) {
    enum : uint8_t { Unseen, OnPath, Done };
    std::array<uint8_t, kDictNodes> state{};
    struct Frame {
        int node;
        int next;
    };
    std::vector<Frame> stack{{kDictRoot, 0}};
    state[kDictRoot] = OnPath;
    while (!stack.empty()) {
        Frame& f = stack.back();
        if (f.next == 2) {
            state[f.node] = Done;
            stack.pop_back();
            continue;
        }
        const uint16_t v = dict.nodes[f.node].branch[f.next++];
        if (isLeaf(v))
            continue;
        const int child = nodeOf(v);
        if (state[child] == OnPath)
            return true;
        if (state[child] == Unseen) {
            state[child] = OnPath;
            stack.push_back({child, 0});
        }
    }
    return false;
}

} // namespace

Result<HuffmanDict> readDictionary(std::span<const uint8_t> bytes) {
    ByteReader r(bytes);
    if (kDictBytes > r.remaining())
        return Error{"Huffman table incomplete!", "File reading error!"};
    HuffmanDict dict;
    for (int n = 0; n < kDictNodes; ++n) {
        for (int b = 0; b < 2; ++b) {
            const uint16_t v = *r.u16();
            if (!isLeaf(v) && nodeOf(v) >= kDictNodes)
                return Error{"Node " + std::to_string(n) +
                                 " of the Huffman table points outside "
                                 "the table!",
                             "Huffman table corrupt!"};
            dict.nodes[n].branch[b] = v;
        }
    }
    if (hasLoopFromRoot(dict))
        return Error{"The Huffman table contains a loop!", "Huffman table corrupt!"};
    finishDictionary(dict);
    return dict;
}

std::vector<uint8_t> writeDictionary(const HuffmanDict& dict) {
    std::vector<uint8_t> out;
    out.reserve(kDictBytes);
    for (const HuffmanNode& n : dict.nodes)
        for (uint16_t v : n.branch) {
            out.push_back(uint8_t(v));
            out.push_back(uint8_t(v >> 8));
        }
    return out;
}

void finishDictionary(HuffmanDict& dict) {
    dict.rootTable.assign(size_t(1) << kRootBits, {});
    for (uint32_t pattern = 0; pattern <= kRootMask; ++pattern) {
        int node = kDictRoot;
        HuffmanDict::RootEntry e;
        for (int bit = 0; bit < kRootBits; ++bit) {
            const uint16_t v = dict.nodes[node].branch[(pattern >> bit) & 1];
            if (isLeaf(v)) {
                e = {v, uint8_t(bit + 1)};
                break;
            }
            node = nodeOf(v);
            e = {uint16_t(node), 0};
        }
        dict.rootTable[pattern] = e;
    }
}

CodeTable BuildCodeTable(const HuffmanDict& dict) {
    CodeTable table;
    struct Visit {
        int node;
        uint32_t code;
        int depth; // depth of the node; its branches give codes of this length
    };
    std::array<bool, kDictNodes> visited{};
    std::vector<Visit> stack{{kDictRoot, 0, 1}};
    while (!stack.empty()) {
        const Visit v = stack.back();
        stack.pop_back();
        // A node reached twice (possible only in a hand-made table) is coded once.
        if (visited[v.node])
            continue;
        visited[v.node] = true;
        // Push bit1 first so that bit0's subtree is coded first, as a recursive walk would.
        for (int bit = 1; bit >= 0; --bit) {
            const uint16_t child = dict.nodes[v.node].branch[bit];
            const uint32_t code = v.code | (uint32_t(bit) << (v.depth - 1));
            if (isLeaf(child)) {
                table.code[child] = code;
                table.length[child] = uint32_t(v.depth);
            } else if (v.depth < kMaxCodeBits) {
                stack.push_back({nodeOf(child), code, v.depth + 1});
            }
        }
    }
    return table;
}

namespace {

// The decoder over a 64-bit bit buffer. Leaves whose codes fit kRootBits come straight from
// the root table; longer codes continue bit by bit from the node the table ends at, and the
// last fewer-than-kRootBits bits of the source are walked bit by bit from the root. Either way
// the leaves come out exactly as the plain walk yields them.
template <bool Store> class Decoder {
public:
    Decoder(std::span<const uint8_t> src, uint8_t* out, size_t limit, const HuffmanDict& dict)
        : m_in(src.data()), m_inEnd(src.data() + src.size()), m_out(out), m_limit(limit),
          m_nodes(dict.nodes.data()), m_table(dict.rootTable.data()) {}

    size_t run() {
        if (m_limit == 0)
            return 0;
        for (;;) {
            refill();
            if (m_bits < kRootBits)
                break;
            while (m_bits >= kRootBits) {
                const HuffmanDict::RootEntry e = m_table[m_acc & kRootMask];
                if (e.leafBits) {
                    m_acc >>= e.leafBits;
                    m_bits -= e.leafBits;
                    if (emit(uint8_t(e.value)))
                        return m_count;
                    continue;
                }
                m_acc >>= kRootBits;
                m_bits -= kRootBits;
                if (!walk(e.value))
                    return m_count;
                if (m_count == m_limit)
                    return m_count;
            }
        }
        while (walk(kDictRoot) && m_count < m_limit) {
        }
        return m_count;
    }

private:
    void refill() {
        while (m_bits <= 56 && m_in < m_inEnd) {
            m_acc |= uint64_t(*m_in++) << m_bits;
            m_bits += 8;
        }
    }
    // True when the destination is now full.
    bool emit(uint8_t v) {
        if constexpr (Store)
            m_out[m_count] = v;
        return ++m_count == m_limit;
    }
    // Walks from node until a leaf, which it emits; false when the source runs out first.
    bool walk(int node) {
        for (;;) {
            if (m_bits == 0) {
                refill();
                if (m_bits == 0)
                    return false;
            }
            const uint16_t v = m_nodes[node].branch[m_acc & 1];
            m_acc >>= 1;
            --m_bits;
            if (isLeaf(v)) {
                emit(uint8_t(v));
                return true;
            }
            node = nodeOf(v);
        }
    }

    const uint8_t* m_in;
    const uint8_t* m_inEnd;
    uint8_t* m_out;
    size_t m_limit;
    const HuffmanNode* m_nodes;
    const HuffmanDict::RootEntry* m_table;
    uint64_t m_acc = 0;
    int m_bits = 0;
    size_t m_count = 0;
};

} // namespace

size_t HuffmanDecode(std::span<const uint8_t> src, std::span<uint8_t> dst,
                     const HuffmanDict& dict) {
    if (dst.empty())
        return 0;
    return Decoder<true>(src, dst.data(), dst.size(), dict).run();
}

size_t HuffmanCountDecoded(std::span<const uint8_t> src, const HuffmanDict& dict) {
    return Decoder<false>(src, nullptr, std::numeric_limits<size_t>::max(), dict).run();
}

size_t HuffmanDecodeBitwise(std::span<const uint8_t> src, std::span<uint8_t> dst,
                            const HuffmanDict& dict) {
    size_t written = 0;
    if (dst.empty())
        return 0;
    int node = kDictRoot;
    for (uint8_t byte : src) {
        for (int bit = 0; bit < 8; ++bit) {
            const uint16_t v = dict.nodes[node].branch[(byte >> bit) & 1];
            if (!isLeaf(v)) {
                node = nodeOf(v);
                continue;
            }
            dst[written++] = uint8_t(v);
            if (written == dst.size())
                return written;
            node = kDictRoot;
        }
    }
    return written;
}

Result<std::vector<uint8_t>> HuffmanEncode(std::span<const uint8_t> src, const CodeTable& table) {
    std::vector<uint8_t> out;
    out.reserve(src.size());
    uint64_t acc = 0;
    int bits = 0;
    for (uint8_t b : src) {
        const uint32_t len = table.length[b];
        if (len == 0)
            return Error{"Byte value " + std::to_string(b) +
                             " has no code in the graphics dictionary!",
                         "HuffmanEncode()"};
        acc |= uint64_t(table.code[b]) << bits;
        bits += int(len);
        while (bits >= 8) {
            out.push_back(uint8_t(acc));
            acc >>= 8;
            bits -= 8;
        }
    }
    if (bits > 0)
        out.push_back(uint8_t(acc));
    return out;
}

size_t HuffmanEncodedSize(std::span<const uint8_t> src, const CodeTable& table) {
    uint64_t bits = 0;
    for (uint8_t b : src)
        bits += table.length[b];
    return size_t((bits + 7) / 8);
}

} // namespace zentrik
