#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace zentrik {

// Bounds-checked little-endian reader over a byte span. Every read checks "n > remaining()"
// first, so no count taken from a file can make it step outside the span. A failed read
// leaves the position where it was.
class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> bytes) : m_bytes(bytes) {}

    size_t size() const { return m_bytes.size(); }
    size_t position() const { return m_pos; }
    size_t remaining() const { return m_bytes.size() - m_pos; }
    bool atEnd() const { return m_pos == m_bytes.size(); }

    bool seek(size_t pos) {
        if (pos > m_bytes.size())
            return false;
        m_pos = pos;
        return true;
    }
    bool skip(size_t n) {
        if (n > remaining())
            return false;
        m_pos += n;
        return true;
    }

    std::optional<uint8_t> u8() {
        if (1 > remaining())
            return std::nullopt;
        return m_bytes[m_pos++];
    }
    std::optional<uint16_t> u16() {
        if (2 > remaining())
            return std::nullopt;
        const uint16_t v = uint16_t(m_bytes[m_pos] | (m_bytes[m_pos + 1] << 8));
        m_pos += 2;
        return v;
    }
    std::optional<uint32_t> u24() {
        if (3 > remaining())
            return std::nullopt;
        const uint32_t v = m_bytes[m_pos] | (m_bytes[m_pos + 1] << 8) | (m_bytes[m_pos + 2] << 16);
        m_pos += 3;
        return v;
    }
    std::optional<uint32_t> u32() {
        if (4 > remaining())
            return std::nullopt;
        const uint32_t v = uint32_t(m_bytes[m_pos]) | (uint32_t(m_bytes[m_pos + 1]) << 8) |
                           (uint32_t(m_bytes[m_pos + 2]) << 16) |
                           (uint32_t(m_bytes[m_pos + 3]) << 24);
        m_pos += 4;
        return v;
    }
    std::optional<int32_t> i32() {
        auto v = u32();
        if (!v)
            return std::nullopt;
        return int32_t(*v);
    }
    std::optional<int16_t> i16() {
        auto v = u16();
        if (!v)
            return std::nullopt;
        return int16_t(*v);
    }

    // The next n bytes as a span (and advance), or nothing when fewer remain.
    std::optional<std::span<const uint8_t>> bytes(size_t n) {
        if (n > remaining())
            return std::nullopt;
        auto s = m_bytes.subspan(m_pos, n);
        m_pos += n;
        return s;
    }

    // A reader over the next n bytes (a chunk), advancing this one past them.
    std::optional<ByteReader> sub(size_t n) {
        auto s = bytes(n);
        if (!s)
            return std::nullopt;
        return ByteReader(*s);
    }

    std::span<const uint8_t> rest() const { return m_bytes.subspan(m_pos); }

private:
    std::span<const uint8_t> m_bytes;
    size_t m_pos = 0;
};

// Little-endian helpers for callers that index a buffer they have already checked.
inline uint16_t loadLe16(const uint8_t* p) {
    return uint16_t(p[0] | (p[1] << 8));
}
inline uint32_t loadLe32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

} // namespace zentrik
