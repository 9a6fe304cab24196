#include "maps/Carmack.h"

#include "io/ByteReader.h"

#include <algorithm>

namespace zentrik {

namespace {

constexpr size_t kMaxCopy = 255;        // a copy count is one byte
constexpr size_t kNearWindow = 255;     // words looked back for near copies (distance <= 254)
constexpr size_t kMaxFarOffset = 65535; // a far offset is one word
constexpr size_t kShortestNear = 2;
constexpr size_t kShortestFar = 3;

// The input as words; an odd trailing byte becomes one more word with a zero high byte, which
// the byte budget encodes as a literal.
std::vector<uint16_t> toWords(std::span<const uint8_t> src) {
    std::vector<uint16_t> w((src.size() + 1) / 2, 0);
    for (size_t i = 0; i < src.size(); ++i)
        w[i / 2] |= uint16_t(src[i] << ((i & 1) * 8));
    return w;
}

struct Choice {
    size_t nearLen = 0, nearDist = 0, farLen = 0, farOff = 0;
};

class CarmackOutput {
public:
    explicit CarmackOutput(size_t reserve) { m_out.reserve(reserve); }

    // Emits the item chosen at word p and returns how many words it covers.
    size_t emit(const Choice& c, uint16_t word) {
        if (c.nearLen >= kShortestNear && c.nearLen >= c.farLen) {
            put(uint8_t(c.nearLen), kNearTag, uint8_t(c.nearDist));
            return c.nearLen;
        }
        if (c.farLen >= kShortestFar) {
            put(uint8_t(c.farLen), kFarTag);
            put(uint8_t(c.farOff), uint8_t(c.farOff >> 8));
            return c.farLen;
        }
        const uint8_t hi = uint8_t(word >> 8);
        if (hi == kNearTag || hi == kFarTag)
            put(0x00, hi, uint8_t(word));
        else
            put(uint8_t(word), hi);
        return 1;
    }
    std::vector<uint8_t> take() { return std::move(m_out); }

private:
    template <class... B> void put(B... b) { (m_out.push_back(uint8_t(b)), ...); }
    std::vector<uint8_t> m_out;
};

// Length of the match of the words at `from` with those at p, under the limits every copy has.
inline size_t matchLength(const std::vector<uint16_t>& w, size_t from, size_t p, size_t limit) {
    size_t k = 0;
    while (k < limit && w[from + k] == w[p + k])
        ++k;
    return k;
}

} // namespace

std::vector<uint8_t> CompressCarmackReference(std::span<const uint8_t> src, CarmackMode mode) {
    const std::vector<uint16_t> w = toWords(src);
    const size_t E = src.size() / 2;
    CarmackOutput out(src.size() + 16);
    long budget = long(src.size());
    size_t p = 0;
    while (budget > 0) {
        Choice c;
        const size_t n = p;
        const size_t dmax = std::min(n, kNearWindow);
        for (size_t d = dmax; d >= 2; --d) {
            const size_t s = p - (d - 1);
            size_t k = 0;
            if (w[s] == w[p]) {
                while (k < kMaxCopy && p + k < E &&
                       (mode != CarmackMode::Compatible || s + k < p) && w[s + k] == w[p + k])
                    ++k;
            }
            if (k >= c.nearLen) {
                c.nearLen = k;
                c.nearDist = d - 1;
            }
        }
        for (size_t f = 0; f <= std::min(n, kMaxFarOffset); ++f) {
            size_t k = 0;
            if (w[f] == w[p]) {
                while (k < kMaxCopy && f + k < n && p + k < E && w[f + k] == w[p + k])
                    ++k;
            }
            if (k >= c.farLen) {
                c.farLen = k;
                c.farOff = f;
            }
        }
        const size_t used = out.emit(c, w[p]);
        p += used;
        budget -= long(2 * used);
    }
    return out.take();
}

// Same choices as the reference, found faster: only earlier positions holding the same word
// can match, so each position is reached through a chain of equal words, newest first. Walking
// newest first, a candidate wins only when strictly longer, which keeps the reference's
// tie-breaks (nearest distance for near copies, highest offset for far copies).
std::vector<uint8_t> CompressCarmack(std::span<const uint8_t> src, CarmackMode mode) {
    const std::vector<uint16_t> w = toWords(src);
    const size_t E = src.size() / 2;
    std::vector<int32_t> prevSame(w.size(), -1);
    {
        std::vector<int32_t> last(65536, -1);
        for (size_t i = 0; i < w.size(); ++i) {
            prevSame[i] = last[w[i]];
            last[w[i]] = int32_t(i);
        }
    }

    CarmackOutput out(src.size() + 16);
    long budget = long(src.size());
    size_t p = 0;
    while (budget > 0) {
        Choice c;
        const size_t ahead = p < E ? std::min(kMaxCopy, E - p) : 0; // words left to match
        if (ahead > 0) {
            const size_t nearLowest = p >= kNearWindow ? p - kNearWindow + 1 : 1;
            for (int32_t s = prevSame[p]; s >= 0 && size_t(s) >= nearLowest; s = prevSame[s]) {
                size_t limit = ahead;
                if (mode == CarmackMode::Compatible)
                    limit = std::min(limit, p - size_t(s));
                const size_t k = matchLength(w, size_t(s), p, limit);
                if (k > c.nearLen) {
                    c.nearLen = k;
                    c.nearDist = p - size_t(s);
                    if (k == ahead)
                        break;
                }
            }
            for (int32_t f = prevSame[p]; f >= 0; f = prevSame[f]) {
                if (size_t(f) > kMaxFarOffset)
                    continue;
                const size_t limit = std::min(ahead, p - size_t(f));
                const size_t k = matchLength(w, size_t(f), p, limit);
                if (k > c.farLen) {
                    c.farLen = k;
                    c.farOff = size_t(f);
                    if (k == ahead)
                        break;
                }
            }
        }
        const size_t used = out.emit(c, w[p]);
        p += used;
        budget -= long(2 * used);
    }
    return out.take();
}

size_t ExpandCarmack(std::span<const uint8_t> src, std::span<uint16_t> dst, uint8_t nearTag,
                     uint8_t farTag) {
    ByteReader in(src);
    const size_t expandedBytes = dst.size() * 2;
    size_t out = 0;
    long wordsLeft = long(dst.size());
    while (wordsLeft > 0 && in.remaining() >= 2) {
        const uint16_t w = *in.u16();
        const uint8_t tag = uint8_t(w >> 8);
        const size_t count = w & 0xFF;
        if (tag == nearTag) {
            auto b = in.u8();
            if (!b)
                break;
            if (count == 0) {
                dst[out++] = uint16_t((nearTag << 8) | *b);
                --wordsLeft;
                continue;
            }
            wordsLeft -= long(count);
            if (wordsLeft < 0 || *b > out)
                break; // too long, or reaching before the first word
            const size_t from = out - *b;
            for (size_t j = 0; j < count; ++j)
                dst[out + j] = dst[from + j];
            out += count;
        } else if (tag == farTag && count == 0) {
            auto b = in.u8();
            if (!b)
                break;
            dst[out++] = uint16_t((farTag << 8) | *b);
            --wordsLeft;
        } else if (tag == farTag) {
            auto o = in.u16();
            if (!o)
                break;
            wordsLeft -= long(count);
            if (wordsLeft < 0 || 2 * (count + *o) >= expandedBytes)
                break;
            for (size_t j = 0; j < count; ++j)
                dst[out + j] = dst[*o + j];
            out += count;
        } else {
            dst[out++] = w;
            --wordsLeft;
        }
    }
    return out;
}

} // namespace zentrik
