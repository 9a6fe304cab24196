#pragma once

#include <cstdint>

namespace zentrik {

// Millisecond ticks that wrap around like a 32-bit multimedia timer.
class Clock {
public:
    virtual ~Clock() = default;
    virtual uint32_t ticks() const = 0;
};

class SteadyClock final : public Clock {
public:
    uint32_t ticks() const override;
};

// A clock the tests set by hand.
class FakeClock final : public Clock {
public:
    uint32_t ticks() const override { return m_now; }
    void set(uint32_t ms) { m_now = ms; }
    void advance(uint32_t ms) { m_now += ms; }

private:
    uint32_t m_now = 0;
};

// The moment the last job or file operation ended. Map views ignore mouse presses for a
// second after it, so the click that closed a dialog does not draw into a map.
class QuietTime {
public:
    static constexpr uint32_t kQuietMs = 1000;

    void mark(const Clock& clock) { set(clock.ticks()); }
    void set(uint32_t at) {
        m_at = at;
        m_marked = true;
    }
    uint32_t at() const { return m_at; }
    // A press is ignored when now - 1000 is not later than the quiet time (wrap-safe). Before
    // the first job nothing is quiet.
    bool ignoresPressAt(uint32_t now) const {
        return m_marked && int32_t(now - kQuietMs - m_at) <= 0;
    }

private:
    uint32_t m_at = 0;
    bool m_marked = false;
};

} // namespace zentrik
