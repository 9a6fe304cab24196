// A fixed valid dictionary (the first 1020 bytes when they form one, else a balanced tree),
// any stream, any destination length: the table-driven expander must equal the bit walk.
#include "FuzzDictionaries.h"
#include "vgagraph/Huffman.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const size_t limit = size_t(data[0] | (data[1] << 8)) % 16384;
    std::span<const uint8_t> rest(data + 2, size - 2);
    static const zentrik::HuffmanDict fallback = fuzzsupport::balancedDictionary();
    auto own = zentrik::readDictionary(rest);
    const zentrik::HuffmanDict& dict = own ? *own : fallback;
    if (own)
        rest = rest.subspan(zentrik::kDictBytes);
    std::vector<uint8_t> fast(limit, 0xAA), slow(limit, 0xAA);
    const size_t a = zentrik::HuffmanDecode(rest, fast, dict);
    const size_t b = zentrik::HuffmanDecodeBitwise(rest, slow, dict);
    if (a != b || fast != slow)
        __builtin_trap();
    const size_t count = zentrik::HuffmanCountDecoded(rest, dict);
    if (count < a || (a < limit && count != a))
        __builtin_trap();
    return 0;
}
