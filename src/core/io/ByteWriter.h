#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace zentrik {

// Little-endian writer that appends to a growing byte vector.
class ByteWriter {
public:
    ByteWriter() = default;
    explicit ByteWriter(size_t reserve) { m_bytes.reserve(reserve); }

    size_t size() const { return m_bytes.size(); }
    const std::vector<uint8_t>& bytes() const { return m_bytes; }
    std::vector<uint8_t> take() { return std::move(m_bytes); }

    void u8(uint8_t v) { m_bytes.push_back(v); }
    void u16(uint16_t v) {
        m_bytes.push_back(uint8_t(v));
        m_bytes.push_back(uint8_t(v >> 8));
    }
    void u24(uint32_t v) {
        u16(uint16_t(v));
        u8(uint8_t(v >> 16));
    }
    void u32(uint32_t v) {
        u16(uint16_t(v));
        u16(uint16_t(v >> 16));
    }
    void i32(int32_t v) { u32(uint32_t(v)); }
    void bytes(std::span<const uint8_t> b) { m_bytes.insert(m_bytes.end(), b.begin(), b.end()); }
    void text(std::string_view s) { m_bytes.insert(m_bytes.end(), s.begin(), s.end()); }
    void fill(size_t n, uint8_t v = 0) { m_bytes.insert(m_bytes.end(), n, v); }

    // Overwrite already written bytes (length fields filled in after the data).
    void patchU16(size_t at, uint16_t v) {
        m_bytes.at(at) = uint8_t(v);
        m_bytes.at(at + 1) = uint8_t(v >> 8);
    }
    void patchU32(size_t at, uint32_t v) {
        patchU16(at, uint16_t(v));
        patchU16(at + 2, uint16_t(v >> 16));
    }

private:
    std::vector<uint8_t> m_bytes;
};

inline void storeLe16(uint8_t* p, uint16_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}

} // namespace zentrik
